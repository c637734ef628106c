// list: the visible records of a table, under a filter and the deleted-record rule.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "engine/engine.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/field_values.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

constexpr std::size_t kMaxColumn = 40;

// Cuts to `width` characters (with an ellipsis when cut) and pads to it.
std::string Column(std::string text, std::size_t width, bool right) {
  if (DisplayWidth(text) > width) {
    std::string cut;
    std::size_t chars = 0;
    for (char c : text) {
      bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      if (starts && ++chars > width - 1) break;
      cut += c;
    }
    text = cut + "\u2026";
  }
  std::string pad(width - DisplayWidth(text), ' ');
  return right ? pad + text : text + pad;
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += (text[i] == '\r' || text[i] == '\n') ? std::string("\u21b5") : std::string(1, text[i]);
  }
  return out;
}

// The width of a field's values as the list shows them.
std::size_t ValueWidth(const engine::FieldDesc& f) {
  switch (f.storage) {
    case engine::Storage::kInt32LE:
    case engine::Storage::kInt32BE: return 11;
    case engine::Storage::kCurrency: return 20;
    case engine::Storage::kDoubleLE:
    case engine::Storage::kDoubleBE: return 24;
    case engine::Storage::kDateTimeLE:
    case engine::Storage::kTimestampBE: return 23;
    default: break;
  }
  if (f.stored_type == 'Q') return 2u * f.length;
  return f.type == 'D' ? 10 : f.type == 'M' ? kMaxColumn : f.length;
}

std::size_t ColumnWidth(const engine::FieldDesc& f, const std::string& name) {
  return std::max(std::min(ValueWidth(f), kMaxColumn), DisplayWidth(name));
}

}  // namespace

int ListCommand(const Arguments& argv) {
  using namespace std::string_view_literals;
  Args args(argv, {"--hide-deleted", "--count"}, {"--filter", "--format", kCodePageOption});
  args.Expect(1, 1);
  std::string format = args.Option("--format", "text");
  if (format != "text" && format != "csv" && format != "json")
    throw UsageError("unknown format " + format + " (text, csv or json)");
  TextCodec& text = OpenForReading(args.positional()[0], args);
  const auto& fields = engine::Current()->fields;
  const std::vector<std::string> names = FieldNames(text);
  // JSON keys and CSV columns tell the fields apart even where names repeat.
  const std::vector<std::string> keys = UniqueFieldNames(names);
  if (args.Has("--filter")) engine::Set_Filter_To(InPage(text, args.Option("--filter"), "filter"));
  engine::SetIgnoreDel(args.Flag("--hide-deleted"));

  std::vector<std::size_t> widths;
  if (!args.Flag("--count")) {
    if (format == "csv") {
      std::string header = "_recno,_deleted";
      for (const std::string& key : keys) header += "," + CsvField(key);
      Write(header + "\r\n");
    } else if (format == "text") {
      std::string header = Column("#", 7, true) + " d";
      for (std::size_t i = 0; i < fields.size(); ++i) {
        widths.push_back(ColumnWidth(fields[i], names[i]));
        header += "  " + Column(names[i], widths.back(), false);
      }
      header.erase(header.find_last_not_of(' ') + 1);
      Write(header + "\n");
    }
  }
  // JSON keys are the same for every record: escaped once.
  std::vector<std::string> json_keys;
  for (const std::string& key : keys) json_keys.push_back(", " + JsonString(key) + ": ");
  FieldJsonWriter json_fields(text);
  long long visible = 0;
  const bool count_only = args.Flag("--count");
  const bool json = format == "json";
  std::string line;
  OutputBuffer json_lines;
  // Every value is read from the stored record: the scan leaves the typed buffer alone.
  const engine::WorkArea& table = *engine::Current();
  engine::GoTop();
  for (bool more = !engine::dEOF(); more; more = engine::SkipStoredOnly()) {
    ++visible;
    if (count_only) continue;
    const int32_t recno = table.recno;
    const bool deleted = table.raw[0] == '*';
    line.clear();
    if (json) {
      json_lines.Append("{\"_recno\": "sv);
      char* const digits = json_lines.Room(16);
      json_lines.Advance(static_cast<std::size_t>(std::to_chars(digits, digits + 16, recno).ptr - digits));
      json_lines.Append(deleted ? ", \"_deleted\": true"sv : ", \"_deleted\": false"sv);
      for (std::size_t i = 0; i < fields.size(); ++i) {
        json_lines.Append(json_keys[i]);
        json_fields.Append(json_lines, fields[i], static_cast<int>(i + 1));
      }
      json_lines.Append("}\n"sv);
      json_lines.EndLine();
      continue;
    } else if (format == "csv") {
      line = std::to_string(recno) + (deleted ? ",true" : ",false");
      for (std::size_t i = 0; i < fields.size(); ++i)
        line += "," + CsvField(AsText(ReadField(text, fields[i], static_cast<int>(i + 1))));
      line += "\r\n";
    } else {
      line = Column(std::to_string(recno), 7, true) + (deleted ? " *" : "  ");
      for (std::size_t i = 0; i < fields.size(); ++i) {
        FieldValue v = ReadField(text, fields[i], static_cast<int>(i + 1));
        const bool number = v.kind == FieldValue::Kind::kNumber;
        line += "  " + Column(OneLine(AsText(v)), widths[i], number);
      }
      line.erase(line.find_last_not_of(' ') + 1);
      line += "\n";
    }
    Write(line);
  }
  json_lines.Flush();
  if (count_only) Print("%lld\n", visible);
  engine::CloseAll();
  return 0;
}

}  // namespace vornelle::tools
