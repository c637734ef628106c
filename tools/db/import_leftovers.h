#pragma once
// Where `theme import` writes a new table before it replaces the old one, and what imports
// that were killed leave behind.
//
// An import writes its table and memo file in a folder of its own beside the target,
// ".vornelle-import-PID", so that nothing half-written ends in .dbf (the calendar takes every
// .dbf of its folder for a theme) and no memo file lies where a table could be paired with it.
// Earlier versions wrote ".vornelle-import-PID.dbf" and its memo file beside the target.

#include <filesystem>

namespace vornelle::tools {

// This process's import folder within `folder`.
std::filesystem::path ImportFolder(const std::filesystem::path& folder);

// Finishes the replacements imports committed in `folder` before they were stopped, then
// removes what imports whose process is gone left there (their own folders and the files of
// earlier versions). The files of an import still running are left alone. ETavrinError when a
// committed replacement cannot be finished.
void ClearImportLeftovers(const std::filesystem::path& folder);

}  // namespace vornelle::tools
