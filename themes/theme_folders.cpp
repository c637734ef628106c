#include "themes/theme_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string_view>

#include "engine/table.h"
#include "platform/ascii_case.h"
#include "platform/directory.h"
#include "platform/file.h"
#include "platform/file_replace.h"
#include "themes/theme_error.h"

namespace vornelle::themes {

namespace {

std::vector<std::string>& Shared() {
  static std::vector<std::string> folders;
  return folders;
}

bool Exists(const std::string& path) {
  std::error_code unknown;
  return std::filesystem::exists(path, unknown);
}

// Copies `from` to `name` in the current folder, refusing to replace a file there.
void CopyIn(const std::filesystem::path& from, const std::string& name) {
  if (Exists(platform::ResolveCase(platform::FullPath(name))))
    throw ThemeError(name + ": a file of that name is in your themes already");
  std::error_code error;
  if (!std::filesystem::is_regular_file(from, error)) throw ThemeError(from.string() + ": not a regular file");
  std::ifstream in(from, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) throw ThemeError(from.string() + ": cannot be read: " + std::strerror(errno));
  if (!platform::ReplaceFileContent(name, bytes.str(), std::nullopt))
    throw ThemeError(name + ": cannot be written: " + std::strerror(errno));
}

}  // namespace

std::string CopySharedTheme(const std::string& theme) {
  const ThemeLocation location = LocateTheme(theme);
  if (!location.shared) throw ThemeError(theme + ": not a theme the system provides");
  const std::filesystem::path table = location.file;
  // The memo first: a table is never there without it.
  for (const char* extension : {".dbt", ".fpt", ".DBT", ".FPT"}) {
    std::filesystem::path memo = table;
    memo.replace_extension(extension);
    if (Exists(memo.string())) {
      CopyIn(memo, memo.filename().string());
      break;
    }
  }
  CopyIn(table, table.filename().string());
  return table.filename().string();
}

std::vector<std::string> SystemThemeFolders() {
  const char* value = std::getenv("XDG_DATA_DIRS");
  std::vector<std::string> folders;
  std::string_view rest = value ? value : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view entry = rest.substr(0, colon);
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
    // A relative entry is invalid and ignored, as the rules say.
    if (!entry.empty() && entry.front() == '/')
      folders.push_back((std::filesystem::path(entry) / "vornelle" / "themes").lexically_normal().string());
  }
  if (folders.empty()) folders = {"/usr/local/share/vornelle/themes", "/usr/share/vornelle/themes"};
  return folders;
}

void SetSharedThemeFolders(std::vector<std::string> folders) { Shared() = std::move(folders); }

const std::vector<std::string>& SharedThemeFolders() { return Shared(); }

ThemeLocation LocateTheme(const std::string& theme) {
  if (Shared().empty() || theme.find('/') != std::string::npos) return {theme, false, {}};
  const std::string file = engine::TableFileName(theme);
  if (Exists(platform::ResolveCase(platform::FullPath(file)))) return {theme, false, {}};
  for (const std::string& folder : Shared()) {
    const std::string path = platform::ResolveCase(folder + "/" + file);
    if (Exists(path)) return {path, true, folder};
  }
  return {theme, false, {}};
}

std::vector<OfferedTheme> OfferedThemes() {
  std::vector<OfferedTheme> offered;
  std::set<std::string> taken;  // lower-cased names of the folders before
  std::vector<std::string> folders = {"."};
  folders.insert(folders.end(), Shared().begin(), Shared().end());
  for (std::size_t i = 0; i < folders.size(); ++i) {
    std::set<std::string> here;
    for (const std::string& name : platform::FindFiles(folders[i], ".dbf")) {
      const std::string key = platform::AsciiLowered(name);
      if (taken.count(key)) continue;
      here.insert(key);
      offered.push_back({name, folders[i], i > 0});
    }
    taken.insert(here.begin(), here.end());
  }
  return offered;
}

}  // namespace vornelle::themes
