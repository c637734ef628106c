#pragma once
// The message boxes of the layers below the GUI: the engine's fatal box, the plain message box
// of informational texts, and the end of the process. The default boxes write to stderr; the
// GUI installs real ones.

#include <string_view>

namespace vornelle::platform {

// Caption and text are in the ANSI code page.
using MessageBoxFn = void (*)(std::string_view caption, std::string_view text);

// Installs the box; null restores the default. Returns the previous one. Plain function
// pointers, so that the box still works while the process ends.
MessageBoxFn SetErrorMessageBox(MessageBoxFn box);
void ShowErrorMessageBox(std::string_view caption, std::string_view text);

// The plain message box: a text and an OK button, captioned with the application's title. The
// text is in the ANSI code page.
using PlainMessageFn = void (*)(std::string_view text);
PlainMessageFn SetMessageBox(PlainMessageFn box);  // null: the default
void ShowMessage(std::string_view text);

// Ends the process with the exit code; tests replace this to observe the halt.
using EndProcessFn = void (*)(int code);
EndProcessFn SetEndProcess(EndProcessFn end);
[[noreturn]] void EndProcess(int code);

}  // namespace vornelle::platform
