#include "tools/db/session.h"

#include <chrono>
#include <memory>

#include "platform/visible_text.h"
#include "expr/expr.h"
#include "platform/codepage.h"
#include "platform/retry.h"

namespace vornelle::tools {

namespace {

// The converter of the open table's text; one table is open at a time.
std::unique_ptr<TextCodec> table_text;

void Open(const std::string& table, bool for_writing, bool oem) {
  engine::Switches().oem = oem;
  if (for_writing)
    engine::Switches().open_mode_override.reset();
  else
    engine::Switches().open_mode_override = platform::mode::kReadOnly | platform::mode::kDenyNone;
  // Reading commands scan: they read ahead across moves.
  engine::UseTable(table, {false, "", /*sequential=*/!for_writing});
  engine::Switches().open_mode_override.reset();
}

TextCodec& OpenTable(const std::string& table, const Args& args, bool for_writing) {
  const CodePage* chosen = CodePageOption(args);  // a wrong name is reported before opening
  Open(table, for_writing, false);
  if (!chosen) chosen = CodePageOfDriver(LanguageDriver());
  table_text = std::make_unique<TextCodec>(chosen ? *chosen : Cp437());
  platform::SetTextCaseTable(&table_text->cases());
  return *table_text;
}

}  // namespace

void StartEngine() {
  expr::InstallExpressionUnit();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);  // errors come back here, never as the "Program halted." box
  engine::Switches().century = true;
}

const CodePage* CodePageOption(const Args& args) {
  if (!args.Has(kCodePageOption)) return nullptr;
  const std::string name = args.Option(kCodePageOption);
  const CodePage* page = CodePageByName(name);
  if (!page) throw UsageError("unknown code page " + name + " (" + KnownCodePageNames() + ")");
  return page;
}

TextCodec& OpenForReading(const std::string& table, const Args& args) { return OpenTable(table, args, false); }
TextCodec& OpenForWriting(const std::string& table, const Args& args) { return OpenTable(table, args, true); }
void OpenThemeForReading(const std::string& table) { Open(table, false, true); }

uint8_t LanguageDriver() {
  uint8_t driver = 0;
  std::size_t got = 0;
  if (engine::Current()->file.ReadAt(29, &driver, 1, &got) != 0 || got != 1) return 0;
  return driver;
}

TextCodec& TextWithoutTable() {
  static TextCodec ansi(Cp1252());
  return ansi;
}

void RetryLock(const std::function<bool()>& lock, const std::string& what, double seconds) {
  const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::duration<double>(seconds));
  if (!platform::TryUntil(lock, limit)) throw ToolError("could not lock " + what + ": another program holds it");
}

std::string InPage(TextCodec& text, const std::string& utf8, const std::string& what) {
  std::string stored, missing;
  if (text.Encode(utf8, stored, missing)) return stored;
  if (missing.empty()) throw ToolError("the " + what + " is not UTF-8 text");
  throw ToolError("the " + what + " has a character the code page " + text.page().name +
                  " cannot hold: " + missing);
}

std::string EngineMessage(const engine::ETavrinError& error) {
  std::string text = error.what();
  if (!IsUtf8(text)) text = (table_text ? *table_text : TextWithoutTable()).Decode(text);
  // What a file or a table put in a line is shown, not obeyed.
  return platform::VisibleLines(text, "\n");
}

uint8_t MemoKindByName(const std::string& kind) {
  if (kind == "dbase3") return engine::kMemoDbase3;
  if (kind == "dbase4") return engine::kMemoDbase4;
  if (kind == "foxpro") return engine::kMemoFoxPro;
  if (kind == "level7") return engine::kMemoLevel7;
  throw UsageError("unknown kind " + kind + " (dbase3, dbase4, foxpro or level7)");
}

int32_t CheckedRecordNumber(const std::string& text) {
  std::size_t used = 0;
  long long n = 0;
  try {
    n = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty()) throw UsageError("not a record number: " + text);
  int32_t count = engine::RecCount();
  if (n < 1 || n > count)
    throw ToolError("record " + text + " does not exist: the table has " +
                    std::to_string(count) + " records");
  return static_cast<int32_t>(n);
}

}  // namespace vornelle::tools
