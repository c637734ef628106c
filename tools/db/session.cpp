#include "tools/db/session.h"

#include <chrono>
#include <random>
#include <thread>

#include "expr/expr.h"
#include "platform/codepage.h"
#include "tools/db/cli.h"

namespace vornelle::tools {

void StartEngine() {
  expr::InstallExpressionUnit();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);  // errors come back here, never as the "Program halted." box
  engine::Switches().oem = true;
  engine::Switches().century = true;
}

void OpenForReading(const std::string& table) {
  engine::Switches().open_mode_override = platform::mode::kReadOnly | platform::mode::kDenyNone;
  engine::USE(table);
  engine::Switches().open_mode_override.reset();
}

void OpenForWriting(const std::string& table) {
  engine::Switches().open_mode_override.reset();
  engine::USE(table);
}

void RetryLock(const std::function<bool()>& lock, const std::string& what, double seconds) {
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  std::minstd_rand jitter(static_cast<unsigned>(Clock::now().time_since_epoch().count()));
  while (!lock()) {
    if (Clock::now() >= deadline)
      throw ToolError("could not lock " + what + ": another program holds it");
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + jitter() % 8));
  }
}

std::string EngineMessage(const engine::ETavrinError& error) {
  std::string text = platform::AnsiToUtf8(error.what());
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;  // the engine ends its lines with CR LF
    out += text[i];
  }
  return out;
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
