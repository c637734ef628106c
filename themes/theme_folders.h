#pragma once
// Where themes are looked for. A program given a folder has its themes there alone: the
// tables of the current folder. The calendar working in the user's own folder also offers the
// themes the system provides, vornelle/themes under each folder of $XDG_DATA_DIRS, as the XDG
// Base Directory rules look for data: a theme is named by its file name, and the first folder
// holding a table of that name (case aside, as the table component finds a table) has it,
// the user's own folder first. The system's themes are read, never written.

#include <string>
#include <vector>

namespace vornelle::themes {

// vornelle/themes under each absolute folder of $XDG_DATA_DIRS in its order, or under
// /usr/local/share and /usr/share when it is unset or names none.
std::vector<std::string> SystemThemeFolders();

// The folders whose themes are offered after the current folder's: none unless set. Set once
// at start-up, process-wide as the engine's own state is.
void SetSharedThemeFolders(std::vector<std::string> folders);
const std::vector<std::string>& SharedThemeFolders();

// Where a theme lives.
struct ThemeLocation {
  // What the table component is given to open it: the name itself for a theme of the current
  // folder (and for one found nowhere, which the open then reports), else the shared table's
  // path.
  std::string file;
  bool shared = false;  // a theme of a shared folder: read-only
  std::string folder;   // the shared folder it is in; empty for the current folder
};
// A name with a folder in it is taken as it is.
ThemeLocation LocateTheme(const std::string& theme);

// The themes on offer: the current folder's tables, then each shared folder's whose name (case
// aside) no folder before it has, every folder's in the order of its file names.
struct OfferedTheme {
  std::string name;    // the file name, as the settings and the theme lists hold it
  std::string folder;  // "." for the current folder, else the shared folder
  bool shared = false;
};
std::vector<OfferedTheme> OfferedThemes();

// Copies the shared theme `theme` into the current folder under its own name, memo file first,
// each file whole or not at all, so that the copy is the user's to change and is offered in
// its place. Returns the table's name in the current folder. ThemeError, naming the file, when
// `theme` is no shared theme, the current folder holds a file of that name already, or a
// file cannot be read or written.
std::string CopySharedTheme(const std::string& theme);

}  // namespace vornelle::themes
