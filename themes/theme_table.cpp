#include "themes/theme_table.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "themes/theme_damage.h"
#include "themes/theme_text.h"
#include "platform/visible_text.h"
#include "engine/engine.h"
#include "engine/memo_internal.h"
#include "engine/scoped_work_area.h"
#include "engine/table_replace.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/utf8.h"
#include "themes/theme_error.h"
#include "themes/import_leftovers.h"

namespace vornelle::themes {

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

// The file a replacement takes: the table name as given, extension added, path made absolute.
// Only that exact name: a table whose name differs only in case is another table.
std::string ThemeTableFile(const std::string& table) {
  return platform::FullPath(engine::TableFileName(table));
}

// The engine's failure as one line a terminal or a box shows: what a file or a table put in it
// is shown, not obeyed.
std::string FailureLine(const engine::ETavrinError& error) {
  std::string text = error.what();
  if (!platform::IsUtf8(text)) text = platform::AnsiToUtf8(text);
  return platform::VisibleLines(text, " ");
}

}  // namespace

ThemeTable ReadThemeTable(const std::string& table) {
  // A work area of its own: the program's own tables, and the engine's switches, stay as they
  // were. Reading only, beside any writer, the records read ahead; the keys as the calendar
  // reads them.
  engine::ScopedWorkArea area;
  engine::Switches().oem = true;
  engine::Switches().open_mode_override = platform::mode::kReadOnly | platform::mode::kDenyNone;
  engine::UseTable(table, {false, "", /*sequential=*/true});
  engine::Switches().open_mode_override.reset();
  if (!HasThemeFields()) throw ThemeError(table + kNoThemeTableText);
  const int date = engine::FieldNo("THEDATE");
  const int joke = engine::FieldNo("THEJOKE");
  ThemeTable read;
  const int32_t count = engine::RecCount();
  for (int32_t n = 1; n <= count; ++n) {
    engine::Go(n);
    ThemeRow row;
    row.recno = n;
    const char* key = engine::FieldAddress(date);
    row.key.assign(key + 1, static_cast<uint8_t>(key[0]));
    row.key.erase(row.key.find_last_not_of(' ') + 1);
    row.deleted = engine::FieldAddress(0)[0] != 0;
    const std::string where = "record " + std::to_string(n) + ": ";
    // A pointer is blanks or a block number; anything else (a sign, letters) reads as some
    // other block, or as none.
    const engine::FieldDesc& field = engine::Current()->fields[static_cast<std::size_t>(joke - 1)];
    const std::string pointer(engine::Current()->raw.data() + field.offset, field.length);
    if (field.storage == engine::Storage::kText && pointer.find_first_not_of(' ') != std::string::npos &&
        pointer.substr(pointer.find_first_not_of(' ')).find_first_not_of("0123456789") != std::string::npos) {
      read.damage.push_back(where + "its memo pointer \"" + platform::VisibleText(platform::AnsiToUtf8(pointer)) +
                            "\" is no block number");
      row.damaged = true;
      read.rows.push_back(std::move(row));
      continue;
    }
    int32_t block = 0;
    std::memcpy(&block, engine::FieldAddress(joke), 4);
    // Read as the calendar's line reader reads it: soft returns joined, a lone 0x8D a letter.
    std::string stored;
    try {
      stored = engine::ReadMemoValue(block, false);
    } catch (const engine::ETavrinError& e) {
      read.damage.push_back(where + "its message cannot be read: " + FailureLine(e));
      row.damaged = true;
    }
    row.lines = ThemeLines(CurrentThemeCodec(), std::move(stored));
    read.rows.push_back(std::move(row));
  }
  if (const std::string missing = MissingRecordsProblem(); !missing.empty()) read.damage.push_back(missing);
  return read;
}

void WriteThemeTable(const std::string& table, uint8_t memo_kind, const std::vector<ThemeRow>& rows,
                     bool replace) {
  namespace fs = std::filesystem;
  const fs::path target = ThemeTableFile(table);
  ClearImportLeftovers(target.parent_path());
  std::error_code error;
  if (fs::exists(target, error) && !replace) throw ThemeError(table + " exists; --force replaces it");

  // The new pair under the target's own names, in this import's folder: the memo file's name
  // follows the table's as the engine pairs them.
  ImportFolder folder(target.parent_path());
  const fs::path temporary = folder.Path() / target.filename();
  const engine::TableReplacement replacement{target.string(), temporary.string(),
                                             engine::MemoFileName(temporary.string(), memo_kind),
                                             engine::MemoFileName(target.string(), memo_kind)};
  try {
    engine::ScopedWorkArea area;
    engine::Switches().default_memo_type = memo_kind;
    engine::CreateDbf(temporary.string(), {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
    engine::UseTable(temporary.string(), {/*exclusive=*/true, ""});
    // New themes keep their text in DOS 437, which the table names by naming no page.
    platform::TextCodec& codec = NewThemeCodec();
    std::string stored, missing;
    for (const ThemeRow& row : rows) {
      engine::ClearRecord();
      std::memcpy(engine::FieldAddress(1) + 1, row.key.data(), std::min<std::size_t>(row.key.size(), 4));
      if (!codec.Encode(Joined(row.lines), stored, missing))
        throw ThemeError(table + ": record " + row.key + ": a character the tables' code page (DOS 437) cannot hold: " +
                        CharacterThePageLacks(codec, missing));
      const int32_t block = engine::WriteMemoValue(stored, false);
      std::memcpy(engine::FieldAddress(2), &block, 4);
      engine::Append();
      if (row.deleted) engine::DeleteRec();
    }
    engine::CloseArea();
    if (!engine::ReplaceTable(replacement))
      throw ThemeError(table + " could not be replaced: " + engine::FetchMessage());
  } catch (...) {
    // Once the marker is written the new pair is committed: its files stay for whoever opens
    // the table next to put in place.
    if (fs::exists(engine::ReplacementMarker(target.string()), error)) folder.Keep();
    throw;
  }
}

}  // namespace vornelle::themes
