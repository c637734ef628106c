#pragma once
// The theme catalogue: every .dbf table of the current folder is a theme, described by the
// first line of its record keyed 9999; so is every table of the shared folders that the
// current folder has none of the same name (themes/theme_folders.h).

#include <string>
#include <vector>

#include "app/core/services.h"
#include "app/core/settings.h"
#include "themes/theme_files.h"

namespace vornelle::dataset {
class TZuViv;
}

namespace vornelle::app {

// The day key of a theme's description record.
using themes::kDescriptionKey;

// The themes on offer: the current folder's .dbf tables, then the shared folders' that no
// earlier folder has, in the order the calendar scans them.
std::vector<std::string> ThemeFiles();
// What the user is told when the folder holds none: the program cannot go on.
inline constexpr const char* kNoThemesText = "No Message Files Exists! Please check your installation.";

// Fills AvailTheme and AvailThemeD from the themes on offer, each opened in `table`. A table
// without a description is left out, named in a confirmation box placed by `window`. When
// there is no table the user is told so and the result is false: the program cannot go on.
// Failures of the table component or the engine are raised to the caller.
bool ScanThemes(dataset::TZuViv& table, ThemeLists& themes, MessageBoxService& boxes, const WindowGeometry& window);

// A displayed theme is a table of the program's own folder, named bare. Takes out of SelTheme
// (and its descriptions) every entry that names a path, "." or "..", or holds a NUL byte, so
// that a settings file can never make the program open or create a table elsewhere, and
// returns those entries as they can be shown to the user.
std::vector<std::string> LeaveOutForeignThemes(ThemeLists& themes);
// What the user is told of each, followed by the entry.
inline constexpr const char* kForeignThemeText = "Not a Theme of This Folder, Left Out: ";

// The calendar never creates a theme table: a displayed theme whose table is neither in the
// current folder nor in a shared one (found as the table component finds it, case aside), a
// system's theme that is gone among them, is taken out of SelTheme and its
// descriptions for this run, and returned, trimmed, as it can be shown to the user. The settings
// file keeps it until the user saves.
std::vector<std::string> LeaveOutMissingThemes(ThemeLists& themes);
// What the user is told of each, followed by the name.
inline constexpr const char* kMissingThemeText = "Theme File Not Found, Left Out: ";

// The text of a memo as the pane shows it: lines from the table (ANSI) in UTF-8.
std::string PaneText(const std::string& ansi_line);

}  // namespace vornelle::app
