// What the component writes, another dBASE-family reader (python3-dbfread, through
// dbfread_check.py) reads exactly: every field type, OEM text, memos of each kind, deleted
// records and records changed after they were added.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/datetime.h"
#include "tests/dataset/writing_fixture.h"

namespace vornelle::dataset {
namespace {

using platform::EncodeDate;
using platform::Utf8ToAnsi;

// A record as the component writes it (UTF-8 text; the date as YYYY-MM-DD, "" for none; "" for
// no memo) and as the reader is to see it.
struct Row {
  std::string name;
  std::string day;
  double price;
  int32_t qty;
  bool ok;
  std::string note;
};

std::string JsonText(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Json(const Row& r) {
  char price[32];
  std::snprintf(price, sizeof price, "%.17g", r.price);
  return "{\"NAME\": " + JsonText(r.name) +
         ", \"DAY\": " + (r.day.empty() ? "null" : JsonText(r.day)) +
         ", \"PRICE\": " + price + ", \"QTY\": " + std::to_string(r.qty) +
         ", \"OK\": " + (r.ok ? "true" : "false") + ", \"NOTE\": " +
         (r.note.empty() ? "null" : JsonText(r.note)) + "}";
}

std::string JsonList(const std::vector<Row>& rows) {
  std::string out = "[";
  for (const Row& r : rows) out += (out.size() > 1 ? ", " : "") + Json(r);
  return out + "]";
}

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) *output += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class WrittenTables : public testing::WritingTest, public ::testing::WithParamInterface<uint8_t> {
 protected:
  void Set(TZuViv& table, const Row& r) {
    table.FieldByName("NAME").SetAsString(Utf8ToAnsi(r.name));
    if (r.day.empty())
      table.FieldByName("DAY").Clear();
    else
      table.FieldByName("DAY").SetAsDateTime(EncodeDate(std::stoi(r.day.substr(0, 4)),
                                                        std::stoi(r.day.substr(5, 2)),
                                                        std::stoi(r.day.substr(8, 2))));
    table.FieldByName("PRICE").SetAsFloat(r.price);
    table.FieldByName("QTY").SetAsInteger(r.qty);
    table.FieldByName("OK").SetAsBoolean(r.ok);
    table.FieldByName("NOTE").SetAsString(Utf8ToAnsi(r.note));
  }
  void AppendRow(TZuViv& table, const Row& r) {
    table.Append();
    Set(table, r);
    table.Post();
  }
  // Runs the reader on `path`; its complaints, or "" when it read what was expected.
  std::string Check(const std::string& path, const std::vector<Row>& records,
                    const std::vector<Row>& deleted) {
    const std::string expected = dir_.File("expected.json");
    testing::WriteFileBytes(expected, "{\"records\": " + JsonList(records) +
                                          ", \"deleted\": " + JsonList(deleted) + "}");
    const std::string script =
        (std::filesystem::path(__FILE__).parent_path() / "dbfread_check.py").string();
    std::string output;
    const int status =
        RunCommand(std::string(PEER_PYTHON) + " " + script + " " + path + " " + expected, &output);
    return status == 0 ? "" : "exit " + std::to_string(status) + ": " + output;
  }
};

TEST_P(WrittenTables, AnotherReaderReadsWhatTheComponentWrote) {
  engine::Switches().default_memo_type = GetParam();
  const std::string path = dir_.File("written.dbf");
  engine::CreateDbf(path, {{"NAME", 'C', 12, 0}, {"DAY", 'D', 8, 0}, {"PRICE", 'N', 8, 2},
                           {"QTY", 'N', 5, 0}, {"OK", 'L', 1, 0}, {"NOTE", 'M', 10, 0}});
  std::string long_note;
  for (int i = 0; i < 40; ++i) long_note += "Zeile " + std::to_string(i) + " über Größen\r\n";
  const Row accented{"Grüße Café", "2024-02-29", 12.5, 42, true,
                     "Erste Zeile\r\nzweite mit Ümlaut ½"};
  const Row plain{"Plain", "", -0.75, -3, false, ""};
  const Row long_memo{"Long memo", "1999-12-31", 0, 0, true, long_note};
  const Row gone{"To delete", "2030-06-01", 99999.99, 99999, false, "gone"};
  Row changed{"Added first", "2024-01-01", 7, 7, true, "old text"};

  auto table = OpenTable(path);
  for (const Row& r : {accented, plain, long_memo, gone, changed}) AppendRow(*table, r);
  table->SetRecNo(4);
  table->Delete();
  changed = {"Short", "2025-12-24", 1.5, 8, false, "new text"};
  table->SetRecNo(5);
  table->Edit();
  Set(*table, changed);
  table->Post();
  table->SetActive(false);
  EXPECT_TRUE(Messages().empty());

  EXPECT_EQ(Check(path, {accented, plain, long_memo, changed}, {gone}), "");
}

INSTANTIATE_TEST_SUITE_P(MemoKinds, WrittenTables, ::testing::Values(0x83, 0x8B, 0xF5),
                         [](const auto& info) {
                           return info.param == 0x83   ? std::string("Dbase3")
                                  : info.param == 0x8B ? std::string("Dbase4")
                                                       : std::string("FoxPro");
                         });

}  // namespace
}  // namespace vornelle::dataset
