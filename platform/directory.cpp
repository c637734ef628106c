#include "platform/directory.h"

#include <algorithm>
#include <filesystem>

#include "platform/ascii_case.h"

namespace vornelle::platform {

namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() <= suffix.size()) return false;  // ".dbf" alone is no table name
  name.remove_prefix(name.size() - suffix.size());
  return EqualIgnoringAsciiCase(name, suffix);
}

}  // namespace

std::vector<std::string> FindFiles(const std::string& folder, std::string_view extension) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!EndsWithIgnoringCase(name, extension)) continue;
    std::error_code type_error;
    if (!entry.is_regular_file(type_error)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vornelle::platform
