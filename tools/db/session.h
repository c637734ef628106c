#pragma once
// The engine as vornelle-db uses it: errors raised and caught here, dates with four-digit years,
// the expression unit installed. Table commands see a table's text as stored and convert it
// in the code page the table names; themes are read in the OEM code page, as the calendar
// reads them.

#include <functional>
#include <string>

#include "engine/engine.h"
#include "tools/db/cli.h"
#include "tools/db/code_page.h"

namespace vornelle::tools {

void StartEngine();

// The option every table command takes: --codepage NAME reads and writes the table's text in
// that page, whatever its language driver byte says.
inline constexpr const char* kCodePageOption = "--codepage";
// The page --codepage names, or nullptr when the option is not given; UsageError when unknown.
const CodePage* CodePageOption(const Args& args);

// Opens the table in the current work area for reading only (nothing the tool reads is ever
// written back, and read-only files can be read), its text as stored. Returns the converter
// of its text: the page of --codepage, else the page its language driver byte names, else OEM
// 437. The engine compares letters in that page's case.
TextCodec& OpenForReading(const std::string& table, const Args& args);
// The same, shared for reading and writing, as other programs may have it open too.
TextCodec& OpenForWriting(const std::string& table, const Args& args);
// A theme table, for reading only, with its text in the OEM code page as the calendar reads it.
void OpenThemeForReading(const std::string& table);
// The language driver byte of the current table.
uint8_t LanguageDriver();
// The converter of text when no table is open: ANSI 1252, the engine's own.
TextCodec& TextWithoutTable();

// Tries `lock` until it succeeds or `seconds` have passed; throws ToolError naming `what`
// when it never does.
void RetryLock(const std::function<bool()>& lock, const std::string& what, double seconds = 10);

// Text typed on the command line (an expression, a search text) in the table's code page, for
// the engine to compare with what is stored. ToolError, naming `what`, when the page lacks one
// of its characters.
std::string InPage(TextCodec& text, const std::string& utf8, const std::string& what);

// The engine's message for the user: its error text, then its context, in UTF-8. The message
// holds file names as given (UTF-8) and text of the table (in its page).
std::string EngineMessage(const engine::ETavrinError& error);

// The kind of table a --kind names: dbase3, dbase4, foxpro or level7. UsageError otherwise.
uint8_t MemoKindByName(const std::string& kind);

// The record numbers a command may address: 1..RecCount. Throws ToolError otherwise.
int32_t CheckedRecordNumber(const std::string& text);

}  // namespace vornelle::tools
