// Opens an arbitrary table file with an arbitrary memo file and walks every record and memo in
// both directions, first through the engine (shared or exclusive), then through the table
// dataset component as the calendar opens a theme (a filter, every field by name, the memo
// lines), and last changes a memo through a stream as an editor would. Whatever the bytes, each
// must end in an error it raises, never in a crash, a sanitizer report, a hang or unbounded
// memory.
//
// Input: a 2-byte little-endian length n, n bytes of table file, the rest the memo file.

#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "dataset/zuviv.h"
#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/exception.h"
#include "platform/message_box.h"

using namespace vornelle::engine;
namespace dataset = vornelle::dataset;
namespace platform = vornelle::platform;

namespace {

std::string Folder() {
  static std::string folder = [] {
    char pattern[] = "/tmp/vornelle-fuzz-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  return folder;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

void ReadMemos() {
  for (int field = 1; field <= FieldCount(); ++field) {
    if (FieldType(field) != 'M') continue;
    int32_t block;
    std::memcpy(&block, FieldAddress(field), 4);
    GetMemo(block);
    ReadMemoValue(block, true);
    MemoTextReader reader;
    if (reader.Open(&block) == 0) {
      std::string line;
      while (reader.ReadLine(line)) {
      }
      reader.Close();
    }
    Peek(field, RecNo());
  }
}

// The listing's scan: a sequential open moved through its stored records alone, each memo value
// looked at where the read-ahead holds it, every byte of it touched.
void ViewMemosInScan(const std::string& table) {
  UseTable(table, {false, "", true});
  std::string room;
  int steps = 0;
  GoTop();
  for (bool more = !dEOF(); more && ++steps < 5000; more = SkipStoredOnly()) {
    for (const FieldDesc& field : Current()->fields) {
      if (field.type != 'M' || field.null_bit >= 0) continue;
      std::string_view value;
      ViewMemoValue(StoredMemoBlock(field), room, &value);
      unsigned sum = 0;
      for (char c : value) sum += static_cast<unsigned char>(c);
      volatile unsigned sink = sum;
      (void)sink;
    }
  }
}

void Walk() {
  int steps = 0;
  GoTop();
  while (!dEOF() && ++steps < 5000) {
    ReadMemos();
    Skip(1);
  }
  GoBottom();
  for (int i = 0; i < 50 && !dBOF(); ++i) Skip(-1);
}

// The component's reports would go to stderr once per input: nothing may be shown.
void Silence() {
  static const bool done = [] {
    vornelle::expr::InstallExpressionUnit();
    platform::SetMessageBox([](std::string_view) {});
    platform::SetErrorMessageBox([](std::string_view, std::string_view) {});
    platform::SetExceptionHandler([](const std::exception&) {});
    return true;
  }();
  (void)done;
}

bool IsName(const std::string& name) {
  if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

// The day filter's shape over the first character field the expression language can name,
// else a filter every record passes. The comparison and its letter come from the input: "<>"
// shows almost every record, ">=" some or none.
std::string FilterOf(dataset::TZuViv& table, uint8_t seed) {
  for (const auto& field : table.Fields())
    if (field->DataType() == vornelle::framework::ftString && IsName(field->FieldName()))
      return "(" + field->FieldName() + (seed & 1 ? ">=" : "<>") + "\"" +
             static_cast<char>('0' + seed / 2 % 43) + "\")";
  return "(.T.)";
}

void ReadFields(dataset::TZuViv& table, bool memo_lines) {
  std::vector<std::string> lines;
  for (int i = 0; i < table.Fields().Count(); ++i) {
    const std::string name = table.Fields()[i].FieldName();
    vornelle::framework::TField& field = table.FieldByName(name);
    field.AsString();
    if (memo_lines && field.DataType() == vornelle::framework::ftMemo)
      table.GetMField(name, lines);
  }
}

// An editor's change of the first memo field of the current record through a stream: a mode,
// a position (near the largest one when the input says so) and a text from the input, then a
// post, and the value read back through a stream that seeks.
void ChangeMemo(dataset::TZuViv& table, uint8_t mode_seed, uint8_t position_seed) {
  vornelle::framework::TField* memo = nullptr;
  for (const auto& field : table.Fields())
    if (field->DataType() == vornelle::framework::ftMemo) memo = field.get();
  if (!memo || table.IsEmpty()) return;
  const auto mode = static_cast<vornelle::framework::TBlobStreamMode>(mode_seed % 3);
  const int32_t position = position_seed == 0xFF ? 2147483640 : position_seed * 37;
  table.Edit();
  {
    auto stream = table.CreateBlobStream(*memo, mode);
    stream->Seek(position, platform::soBeginning);
    stream->Write("changed\r\nby the fuzzer", 22);
    stream->Finish();
  }
  table.Post();
  auto stream = table.CreateBlobStream(*memo, vornelle::framework::bmRead);
  stream->Seek(position_seed, platform::soBeginning);
  stream->ReadAll();
  stream->Seek(-3, platform::soEnd);
  stream->ReadAll();
}

// As the calendar reads a theme: open, filter, scan forward reading every field, then back a
// little; then a change through a memo stream. Each step may raise; the next one runs on
// whatever state the failure left.
void Component(const std::string& path, uint8_t seed, uint8_t mode_seed, uint8_t position_seed) {
  dataset::TZuViv table;
  table.SetName("joketbl");
  table.SetTableLanguage(dataset::tlOem);
  // A missing table would be made from this list; the fuzzed one always exists.
  table.SetDbfFields({"thedate, C, 4, 0", "thejoke, M, 10, 0"});
  try {
    table.SetDbfFileName(path);
    table.SetActive(true);
  } catch (const std::exception&) {
    return;
  }
  try {
    table.SetFilterTo(FilterOf(table, seed));
  } catch (const std::exception&) {
  }
  try {
    int steps = 0;
    for (table.First(); !table.Eof() && steps < 1000; table.Next(), ++steps)
      ReadFields(table, steps < 100);  // memo lines of the first records only: time
  } catch (const std::exception&) {
  }
  try {
    int steps = 0;
    for (table.Last(); !table.Bof() && steps < 50; table.Prior(), ++steps) ReadFields(table, false);
  } catch (const std::exception&) {
  }
  try {
    ChangeMemo(table, mode_seed, position_seed);
  } catch (const std::exception&) {
  }
  try {
    table.Cancel();
    table.First();
    ReadFields(table, true);
  } catch (const std::exception&) {
  }
  try {
    table.SetActive(false);
  } catch (const std::exception&) {
  }
}

void Reset() {
  ResetEngine();
  SetAutoCheck(true);
  SetRaise(true);
  Switches().oem = true;
  platform::ClearTerminateRequest();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t table_size = data[0] | (data[1] << 8);
  if (table_size > size - 2) table_size = size - 2;
  const uint8_t* table = data + 2;
  const uint8_t* memo = table + table_size;
  size_t memo_size = size - 2 - table_size;

  std::string base = Folder() + "/t";
  Write(base + ".dbf", table, table_size);
  Write(base + ".dbt", memo, memo_size);
  Write(base + ".fpt", memo, memo_size);

  Silence();
  Reset();
  // Exclusive opens keep what they read across moves: walked too, as the last byte chooses.
  try {
    USE(base + ".dbf" + (data[size - 1] & 0x80 ? " EXCLUSIVE" : ""));
    Walk();
  } catch (const ETavrinError&) {
  }
  try {
    CloseAll();
    ViewMemosInScan(base + ".dbf");
  } catch (const ETavrinError&) {
  }
  try {
    CloseAll();
  } catch (const ETavrinError&) {
  }

  // platform::Exception (engine, framework and component errors) and std::exception alike.
  Reset();
  Component(base + ".dbf", data[size - 1], data[0], data[size / 2]);
  try {
    CloseAll();
  } catch (const std::exception&) {
  }
  return 0;
}
