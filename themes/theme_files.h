#pragma once
// Themes as files of a folder: a theme's name as the settings hold it, the table file it stands
// for, and the key of its description record.

#include <string>

namespace vornelle::themes {

// The key of the record that holds a theme's description.
inline constexpr const char* kDescriptionKey = "9999";

// A theme entry as the settings hold it, without the blanks and control characters around it.
std::string ThemeName(const std::string& entry);
// The file the table component opens for a theme name: the default extension added, taken from
// the current folder or the shared folder that has it (theme_folders.h), its case resolved.
std::string ThemeTablePath(const std::string& theme);

}  // namespace vornelle::themes
