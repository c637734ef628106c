#pragma once
// Helpers shared by the engine's own files.

#include <string>
#include <string_view>

#include "engine/errors.h"
#include "engine/state.h"
#include "platform/trim.h"

namespace vornelle::engine {

// Reports 215: no table in the current work area.
void ReportNoTable(std::string_view routine);
// The current work area, or null after reporting 215 with the routine's name.
inline WorkArea* Guard(std::string_view routine) {
  WorkArea* wa = Current();
  if (!wa) ReportNoTable(routine);
  return wa;
}

// Name between double-quote characters.
inline std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

// "Database " + name between double quotes, the context of moves and updates.
inline std::string DatabaseName(const WorkArea& wa) { return "Database " + Quoted(wa.file_name); }

// The work area holds a record lock on `recno`.
bool HoldsRecordLock(const WorkArea& wa, int32_t recno);

// "File:  " + name, the context of record reads and writes.
inline std::string FileContext(const WorkArea& wa) { return "File:  " + wa.file_name; }

// Trims blanks (and only blanks) on both sides: the padding of field text.
using platform::TrimBlanks;
// Trims blanks and control characters on both sides: commands, names and expression texts.
inline std::string_view Trim(std::string_view s) { return platform::TrimControls(s); }
std::string UpperAscii(std::string_view s);

// Removes every whole-word occurrence of `option` (which starts with a blank) from `text`:
// an occurrence followed by a letter, a digit, '\' or '_' does not count. True when one was.
// `mirror`, when given, is a same-length copy (the text before upper-casing) cut alike.
bool TakeOption(std::string& text, std::string_view option, std::string* mirror = nullptr);

// The name with `ext` (upper case, without the point) added when it has no extension. File
// names are case-sensitive here, so the extension follows the case of the name: "jokes" gets
// ".dbf", "JOKES" gets ".DBF".
std::string WithDefaultExtension(const std::string& name, std::string_view ext);

// Closes a table file, writing the header and end mark its state asks for (CloseDbf).
void CloseTableFile(WorkArea& wa);

// Before a write: whether the table and its memo file are still the files their names open.
// Another program that replaced the table (renamed new files over its names) left this work
// area the old files, which no one will read again: reports kTableReplaced and returns false.
bool CheckStillInPlace(WorkArea& wa, std::string_view routine);

// The record-moved hook of the current work area, run with itself unset.
void RunMovedHook(WorkArea& wa);

}  // namespace vornelle::engine
