#include "tools/db/theme_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <filesystem>

#include "app/core/settings.h"
#include "app/core/theme_catalogue.h"
#include "app/core/user_folder.h"
#include "themes/theme_folders.h"

namespace vornelle::tools {

void EnterThemeFolder(const Args& args) {
  if (args.Flag("--user-folder")) {
    if (args.Has("--folder")) throw UsageError("--folder and --user-folder choose the folder both");
    const std::filesystem::path folder = app::UserDataFolder();
    std::error_code unknown;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
    themes::SetSharedThemeFolders(app::UserFolderThemeFolders(themes::SystemThemeFolders(), program));
    app::PrepareUserFolder(folder, themes::SharedThemeFolders());
    if (chdir(folder.c_str()) != 0) throw ToolError(folder.string() + ": " + std::strerror(errno));
    return;
  }
  if (args.Has("--folder") && chdir(args.Option("--folder").c_str()) != 0)
    throw ToolError(args.Option("--folder") + ": " + std::strerror(errno));
}

std::optional<std::vector<std::string>> DisplayedThemes() {
  app::Settings settings;
  app::ThemeLists themes;
  app::LoadSettings(app::SettingsPath(), settings, themes);
  for (const std::string& name : app::LeaveOutForeignThemes(themes))
    std::fprintf(stderr, "%s%s\n", app::kForeignThemeText, name.c_str());
  if (app::ThemeFiles().empty()) {
    std::fprintf(stderr, "%s\n", app::kNoThemesText);
    return std::nullopt;
  }
  for (const std::string& name : app::LeaveOutMissingThemes(themes))
    std::fprintf(stderr, "%s%s\n", app::kMissingThemeText, name.c_str());
  return themes.SelTheme;
}

}  // namespace vornelle::tools
