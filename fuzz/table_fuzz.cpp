// Opens an arbitrary table file with an arbitrary memo file and walks every record and memo in
// both directions. Whatever the bytes, the engine must end in an error it raises, never in a
// crash, a sanitizer report, a hang or unbounded memory.
//
// Input: a 2-byte little-endian length n, n bytes of table file, the rest the memo file.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine.h"

using namespace vornelle::engine;

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

  ResetEngine();
  SetAutoCheck(true);
  SetRaise(true);
  Switches().oem = true;
  try {
    USE(base + ".dbf");
    Walk();
  } catch (const ETavrinError&) {
  }
  try {
    CloseAll();
  } catch (const ETavrinError&) {
  }
  return 0;
}
