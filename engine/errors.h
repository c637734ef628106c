#pragma once
// The engine's one error routine. Every routine reports a failure here with a code and a
// context message; depending on two switches the routine then does nothing more (the caller
// tests the last error code), raises ETavrinError, or shows the "Program halted." box and ends
// the process with the code as exit code.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/exception.h"

namespace vornelle::engine {

class ETavrinError : public platform::Exception {
 public:
  explicit ETavrinError(const std::string& message) : platform::Exception(message) {}
};

// "Error # " + code + " (" + text + ")", or empty for code 0.
std::string ErrorText(int code);
// The table text alone ("File not found", "Undefined error" for codes without an entry).
const char* ErrorTableText(int code);

// Records the code and the context (cut to 255 characters); acts at once when the auto-check
// switch is on. Returns only when nothing was raised and the process was not ended.
void Report(int code, std::string_view context);
// As Report, but first releases the current work area's memo file lock when held.
void MemoReport(int code, std::string_view context);
// The action on the current last error code (also called by routines that collected a platform
// error outside Report).
void Act();

// Error text + CR LF + context when a report is pending, then clears it; else empty.
std::string FetchMessage();

int16_t LastError();
void SetLastError(int16_t code);
void ClearLastError();
// The context message of the last report (not cleared).
const std::string& ContextMessage();

bool SetAutoCheck(bool on);  // → previous value
bool SetRaise(bool on);      // → previous value
bool Halted();

// Failures raised as ETavrinError for the time of a scope, whatever the program's switches:
// for work that handles its failures itself, such as a search that goes on past a theme it
// cannot read. The switches are given back at the end of the scope.
class RaisingErrors {
 public:
  RaisingErrors() : auto_check_(SetAutoCheck(true)), raise_(SetRaise(true)) {}
  ~RaisingErrors() {
    SetRaise(raise_);
    SetAutoCheck(auto_check_);
  }
  RaisingErrors(const RaisingErrors&) = delete;
  RaisingErrors& operator=(const RaisingErrors&) = delete;

 private:
  bool auto_check_, raise_;
};

// The caption of the fatal box.
inline constexpr std::string_view kHaltCaption = "Program halted.";

}  // namespace vornelle::engine
