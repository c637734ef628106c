#pragma once
// Starting the calendar at login, as desktops do it: a desktop entry in the user's autostart
// folder, $XDG_CONFIG_HOME/autostart (~/.config/autostart by default).

#include <filesystem>
#include <string>
#include <vector>

namespace vornelle::app {

std::filesystem::path AutostartFile();

// Whether the entry is there and the user has not hidden it (Hidden=true, as a desktop's
// settings turn an entry off).
bool StartsAtLogin();

// Writes the entry, starting `program` with `arguments`, or removes it. The entry is written
// whole under another name and renamed into place. Raises platform::EInOutError naming the file.
void SetStartAtLogin(bool on, const std::string& program, const std::vector<std::string>& arguments);

// An argument as a desktop entry's Exec line holds it: quoted when it has a character the
// line reserves, and escaped for the entry's string values.
std::string ExecArgument(const std::string& argument);

}  // namespace vornelle::app
