// vornelle-make-theme SOURCE TABLE: makes a theme table (with its memo file) from the plain-text
// form of a theme. The build makes the sample themes with it.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/core/theme_source.h"
#include "engine/engine.h"
#include "platform/codepage.h"

using namespace vornelle;

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "vornelle-make-theme: %s\n", message.c_str());
  return 1;
}

// The message as the table stores it before OEM translation: ANSI, lines joined with CR LF.
// Empty when a character cannot be stored in the tables' code page.
bool TableText(const app::ThemeSourceRecord& record, std::string* out) {
  std::string utf8;
  for (std::size_t i = 0; i < record.lines.size(); ++i) utf8 += (i ? "\r\n" : "") + record.lines[i];
  const std::string ansi = platform::Utf8ToAnsi(utf8);
  if (platform::AnsiToUtf8(ansi) != utf8) return false;
  if (platform::OemToAnsi(platform::AnsiToOem(ansi)) != ansi) return false;
  *out = ansi;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vornelle-make-theme SOURCE.txt TABLE.dbf\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return Fail(std::string(argv[1]) + ": " + std::strerror(errno));
  std::stringstream text;
  text << in.rdbuf();
  const app::ThemeSource source = app::ParseThemeSource(text.str());
  for (const std::string& error : source.errors) std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
  if (!source.errors.empty()) return 1;

  const std::string table = argv[2];
  std::error_code ignored;
  std::filesystem::remove(table, ignored);
  std::filesystem::remove(std::filesystem::path(table).replace_extension(".dbt"), ignored);
  engine::SetRaise(true);
  try {
    engine::CreateDbf(table, {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
    engine::Switches().oem = true;
    engine::USE(table + " EXCLUSIVE");
    for (const app::ThemeSourceRecord& record : source.records) {
      std::string message;
      if (!TableText(record, &message))
        return Fail(std::string(argv[1]) + ": line " + std::to_string(record.line_number) +
                    ": a character the tables' code page cannot hold");
      engine::ClearRecord();
      std::memcpy(engine::FieldAddress(1) + 1, record.key.data(), 4);
      const int32_t block = engine::WriteMemoValue(message, true);
      std::memcpy(engine::FieldAddress(2), &block, 4);
      engine::Append();
    }
    engine::CloseAll();
  } catch (const engine::ETavrinError& e) {
    return Fail(e.what());
  }
  return 0;
}
