// Creates a small theme table with the engine, fills it, and reads it back: day keys, their
// messages and the table's state.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "platform/codepage.h"

using namespace vornelle;
using namespace vornelle::engine;

namespace {

void SetText(int field, const std::string& text) {
  char* slot = FieldAddress(field);
  std::memset(slot + 1, ' ', static_cast<unsigned char>(slot[0]));
  std::memcpy(slot + 1, text.data(), std::min<size_t>(text.size(), static_cast<unsigned char>(slot[0])));
}

}  // namespace

int main() {
  SetRaise(true);
  Switches().oem = true;
  std::string folder = (std::filesystem::temp_directory_path() / "vornelle-demo").string();
  std::filesystem::create_directories(folder);
  std::string table = folder + "/jokes.dbf";
  try {
    CreateDbf(table, {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
    USE(table);
    const char* entries[][2] = {{"9999", "Demo theme"},
                                {"0101", "A new year begins.\r\nMake it a good one."},
                                {"0704", "Fireworks tonight."},
                                {"1225", "Season's greetings, and grüße."}};
    for (auto& entry : entries) {
      ClearRecord();
      SetText(1, entry[0]);
      int32_t block = WriteMemoValue(platform::Utf8ToAnsi(entry[1]), true);
      std::memcpy(FieldAddress(2), &block, 4);
      ALock();
      Append();
      Unlock();
    }
    std::printf("%s: %d records of %u bytes\n", table.c_str(), RecCount(), RecSize());
    for (GoTop(); !dEOF(); Skip(1)) {
      int32_t block;
      std::memcpy(&block, FieldAddress(2), 4);
      std::string key(FieldAddress(1) + 1, 4);
      std::string text = platform::AnsiToUtf8(ReadMemoValue(block, true));
      std::printf("#%d %s (memo block %d): %s\n", RecNo(), key.c_str(), block, text.c_str());
    }
    CloseAll();
  } catch (const ETavrinError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
