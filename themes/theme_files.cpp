#include "themes/theme_files.h"

#include "engine/table.h"
#include "platform/file.h"
#include "platform/trim.h"
#include "themes/theme_folders.h"

namespace vornelle::themes {

std::string ThemeName(const std::string& entry) { return std::string(platform::TrimControls(entry)); }

std::string ThemeTablePath(const std::string& theme) {
  return platform::ResolveCase(platform::FullPath(engine::TableFileName(LocateTheme(theme).file)));
}

}  // namespace vornelle::themes
