#pragma once
// Starting the calendar at login, as desktops do it: a desktop entry in the user's autostart
// folder, $XDG_CONFIG_HOME/autostart (~/.config/autostart by default).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vornelle::app {

std::filesystem::path AutostartFile();

// Whether a valid entry is there and the user has not hidden it (Hidden=true, as a desktop's
// settings turn an entry off): UTF-8 text without control characters, one [Desktop Entry]
// group, no key twice in it, and an Exec line whose quotes close.
bool StartsAtLogin();

// Writes the entry, starting `program` with `arguments`, or removes it. The entry is written
// whole under a name of its own and renamed into place. Raises platform::EInOutError naming
// the file, and platform::Exception (kUnnamableText and the name) when a name cannot stand in
// an entry: one that is not UTF-8 or holds a control character other than tab and line ends.
void SetStartAtLogin(bool on, const std::string& program, const std::vector<std::string>& arguments);
inline constexpr const char* kUnnamableText =
    "Start at Login cannot write a name that is not UTF-8 text into a desktop entry: ";

// An argument as a desktop entry's Exec line holds it: quoted when it has a character the
// line reserves, and escaped for the entry's string values. Nothing for a name no entry can
// hold (see SetStartAtLogin).
std::optional<std::string> ExecArgument(const std::string& argument);

}  // namespace vornelle::app
