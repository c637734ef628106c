#pragma once
// The engine as vornelle-db uses it: errors raised and caught here, table text in the OEM code
// page as the calendar keeps it, dates with four-digit years, the expression unit installed.

#include <functional>
#include <string>

#include "engine/engine.h"

namespace vornelle::tools {

void StartEngine();

// Opens the table in the current work area for reading only: nothing the tool reads is ever
// written back, and read-only files can be read.
void OpenForReading(const std::string& table);
// Opens the table shared for reading and writing, as other programs may have it open too.
void OpenForWriting(const std::string& table);

// Tries `lock` until it succeeds or `seconds` have passed; throws ToolError naming `what`
// when it never does.
void RetryLock(const std::function<bool()>& lock, const std::string& what, double seconds = 10);

// The engine's message for the user: its error text, then its context, in UTF-8.
std::string EngineMessage(const engine::ETavrinError& error);

// The kind of table a --kind names: dbase3, dbase4, foxpro or level7. UsageError otherwise.
uint8_t MemoKindByName(const std::string& kind);

// The record numbers a command may address: 1..RecCount. Throws ToolError otherwise.
int32_t CheckedRecordNumber(const std::string& text);

}  // namespace vornelle::tools
