#pragma once
// The folder of themes the theme commands work in, and the themes its settings display, as the
// calendar's start-up finds them.

#include <optional>
#include <string>
#include <vector>

#include "tools/db/cli.h"

namespace vornelle::tools {

// Makes --folder DIR, when given, the current folder: themes are the tables of the current
// folder, and the settings file lies beside them. ToolError when it cannot be entered.
// --user-folder (a flag) works as the calendar started so does: in the user's own folder
// (made as its first start makes it), with the system's themes beside the user's.
void EnterThemeFolder(const Args& args);

// The themes the current folder's Vornel.Ini displays. What the window's start-up leaves out,
// this leaves out, and names on stderr in the same words. Nothing when the folder holds no
// table (said on stderr too): the calendar cannot start there.
std::optional<std::vector<std::string>> DisplayedThemes();

}  // namespace vornelle::tools
