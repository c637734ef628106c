#pragma once
// Where `theme import` writes a new table before it replaces the old one, and what imports
// that were stopped leave behind.
//
// An import writes its table and memo file in a folder of its own beside the target,
// ".vornelle-import-XXXXXX" (a name made new for it), so that nothing half-written ends in .dbf
// (the calendar takes every .dbf of its folder for a theme) and no memo file lies where a table
// could be paired with it. The import holds a lock on its folder while it writes there: a
// folder nobody holds is a leftover, whichever process (in whichever PID namespace) made it.
// Earlier versions wrote ".vornelle-import-PID.dbf" and its memo file beside the target, with
// no lock: those are leftovers once their process is gone.

#include <filesystem>

namespace vornelle::themes {

// This import's folder within `folder`: made new, locked, and removed with what it holds when
// the import ends.
class ImportFolder {
 public:
  // ThemeError when the folder cannot be made.
  explicit ImportFolder(const std::filesystem::path& folder);
  ~ImportFolder();
  ImportFolder(const ImportFolder&) = delete;
  ImportFolder& operator=(const ImportFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The files stay for whoever finishes a committed replacement; only the lock goes.
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  bool keep_ = false;
};

// Finishes the replacements imports committed in `folder` before they were stopped, then
// removes what stopped imports left there (folders no import holds, and the files of earlier
// versions whose process is gone). ETavrinError when a committed replacement cannot be
// finished.
void ClearImportLeftovers(const std::filesystem::path& folder);

}  // namespace vornelle::themes
