#pragma once
// The user's own folder of themes. Started from the applications menu, the calendar works in
// $XDG_DATA_HOME/vornelle (~/.local/share/vornelle by default), and offers the system's themes
// beside the user's own (themes/theme_folders.h); the first start creates the folder and gives
// it the sample settings, which show the system's sample themes.

#include <filesystem>
#include <string>
#include <vector>

namespace vornelle::app {

// $HOME, or the user's home folder in the password database. Throws platform::EInOutError when
// no home folder is known.
std::filesystem::path HomeFolder();
// A base folder of the XDG Base Directory rules: the variable's value when it is an absolute
// path, else `fallback` under the home folder.
std::filesystem::path XdgFolder(const char* variable, const std::filesystem::path& fallback);

// $XDG_DATA_HOME/vornelle, or ~/.local/share/vornelle when XDG_DATA_HOME is unset, empty or not
// an absolute path. Throws platform::EInOutError when no home folder is known either.
std::filesystem::path UserDataFolder();

// The folders of data shared by every user, found from the folder of the program: an installed
// program in <prefix>/bin has its sample themes and help under <prefix>/share; a program run from
// its build tree (build/<flavour>/app/gui) has the samples that build made (build/<flavour>/samples).
std::filesystem::path SampleThemesFolder(const std::filesystem::path& program_folder);
std::filesystem::path InstalledHelpFolder(const std::filesystem::path& program_folder);

// The shared theme folders of the user folder mode: the `system` ones ($XDG_DATA_DIRS), then the
// program's own sample folder when none of them is it and it exists, so a program installed
// under another prefix, or run from its build tree, still offers its samples.
std::vector<std::string> UserFolderThemeFolders(std::vector<std::string> system,
                                                const std::filesystem::path& program_folder);

struct PreparedFolder {
  bool created = false;             // the folder did not exist before
  std::vector<std::string> copied;  // the sample files given to it, in the order copied
};

// Creates `folder` (and its parents) when missing. When it holds neither a table nor a settings
// file, copies into it the settings file of the first of `sample_folders` that has one (the
// system's theme folders: the sample settings display the sample themes where they are). A
// folder with a table or settings of its own is left alone. The copy is made under a temporary
// name and then renamed, so an interrupted start never leaves half a file behind. Leftovers of
// killed programs older than a minute are removed. Throws platform::EInOutError, naming the
// file, when the folder cannot be created or the copy fails.
PreparedFolder PrepareUserFolder(const std::filesystem::path& folder,
                                 const std::vector<std::string>& sample_folders);

}  // namespace vornelle::app
