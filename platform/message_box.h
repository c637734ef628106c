#pragma once
// The engine's fatal message box and the end of the process. The default box writes the caption
// and the text to stderr; the GUI installs a real box.

#include <string_view>

namespace vornelle::platform {

// Caption and text are in the ANSI code page.
using MessageBoxFn = void (*)(std::string_view caption, std::string_view text);

// Installs the box; null restores the default. Returns the previous one. Plain function
// pointers, so that the box still works while the process ends.
MessageBoxFn SetErrorMessageBox(MessageBoxFn box);
void ShowErrorMessageBox(std::string_view caption, std::string_view text);

// Ends the process with the exit code; tests replace this to observe the halt.
using EndProcessFn = void (*)(int code);
EndProcessFn SetEndProcess(EndProcessFn end);
[[noreturn]] void EndProcess(int code);

}  // namespace vornelle::platform
