#include "engine/errors.h"

#include "engine/memo_internal.h"
#include "engine/state.h"
#include "platform/message_box.h"

namespace vornelle::engine {

namespace {

constexpr std::size_t kCountedMax = 255;

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, kCountedMax));
}

}  // namespace

void Report(int code, std::string_view context) {
  ErrorState& e = State().error;
  e.last_error = static_cast<int16_t>(code);
  e.last_reported = static_cast<int16_t>(code);
  e.context = Cut(context);
  if (e.auto_check) Act();
}

void MemoReport(int code, std::string_view context) {
  ReleaseMemoLock(Current());
  Report(code, context);
}

void Act() {
  ErrorState& e = State().error;
  if (e.halted) return;
  e.last_reported = e.last_error;
  int code = e.last_error;
  if (code == 0) return;
  std::string text = ErrorText(code);
  if (e.raise) {
    std::string context = std::move(e.context);
    e.context.clear();
    e.last_reported = 0;
    throw ETavrinError(text + "\r\n" + context);
  }
  e.halted = true;
  platform::ShowErrorMessageBox(kHaltCaption, Cut(text + "\r\n" + e.context));
  platform::EndProcess(code);
}

std::string FetchMessage() {
  ErrorState& e = State().error;
  if (e.last_reported == 0) return {};
  std::string message = ErrorText(e.last_reported) + "\r\n" + e.context;
  e.context.clear();
  e.last_reported = 0;
  return message;
}

int16_t LastError() { return State().error.last_error; }
void SetLastError(int16_t code) { State().error.last_error = code; }
void ClearLastError() { State().error.last_error = 0; }
const std::string& ContextMessage() { return State().error.context; }

bool SetAutoCheck(bool on) {
  bool old = State().error.auto_check;
  State().error.auto_check = on;
  return old;
}

bool SetRaise(bool on) {
  bool old = State().error.raise;
  State().error.raise = on;
  return old;
}

bool Halted() { return State().error.halted; }

}  // namespace vornelle::engine
