#pragma once
// Theme tables as records of text: reading every record of a table (deleted ones too) with its
// message in UTF-8, and writing a new theme table from records.

#include <cstdint>
#include <string>
#include <vector>

namespace vornelle::themes {

struct ThemeRow {
  int32_t recno = 0;
  std::string key;  // THEDATE as stored, trailing blanks removed
  std::vector<std::string> lines;  // THEJOKE's lines in UTF-8; a line end is CR LF, LF or CR
  bool deleted = false;
  bool damaged = false;  // its message could not be read: ThemeTable::damage says why
};

struct ThemeTable {
  std::vector<ThemeRow> rows;
  // What could not be read as the table promises it, one line each: records whose memo
  // pointer is no block number or whose message cannot be read (their lines are empty), and
  // records the header counts that the file does not hold.
  std::vector<std::string> damage;
};

// Every record of the theme table in file order. ThemeError when the table has no character
// THEDATE or no memo THEJOKE.
ThemeTable ReadThemeTable(const std::string& table);

// Writes a new theme table of `memo_kind` with these records, in order, and puts it in place of
// `table` with its memo file only when both are complete (the engine's table replacement:
// readers see the old table or the new). Lines are joined with CR LF. Leftovers of imports
// that were killed in that folder are cleared first. An existing table is replaced only when
// `replace` is set (ThemeError otherwise).
void WriteThemeTable(const std::string& table, uint8_t memo_kind, const std::vector<ThemeRow>& rows,
                     bool replace);

}  // namespace vornelle::themes
