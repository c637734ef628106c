#pragma once
// The user's own folder of themes. Started from the applications menu, the calendar works in
// $XDG_DATA_HOME/vornelle (~/.local/share/vornelle by default); the first start creates it and
// gives it copies of the sample themes and their settings, so the calendar has something to show.

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

// The folder of data shared by every user, found from the folder of the program: an installed
// program in <prefix>/bin has its samples and help under <prefix>/share; a program run from its
// build tree (build/<flavour>/app/gui) has the samples that build made (build/<flavour>/samples).
std::filesystem::path SampleThemesFolder(const std::filesystem::path& program_folder);
std::filesystem::path InstalledHelpFolder(const std::filesystem::path& program_folder);

struct PreparedFolder {
  bool created = false;             // the folder did not exist before
  std::vector<std::string> copied;  // the sample files given to it, in the order copied
};

// Creates `folder` (and its parents) when missing. When it holds no table yet, copies into it
// the tables and memo files of `samples` and the sample settings file, unless a settings file is
// already there. A folder that already holds a table is left alone, and so is every file already
// present. Each file is copied under a temporary name and then renamed, so an interrupted start
// never leaves half a table behind, and the next start finishes what it began. Leftovers of
// killed programs older than a minute are removed. A missing `samples` folder copies nothing. Throws
// platform::EInOutError, naming the file, when the folder cannot be created or a copy fails.
PreparedFolder PrepareUserFolder(const std::filesystem::path& folder,
                                 const std::filesystem::path& samples);

}  // namespace vornelle::app
