#pragma once
// Searching a folder for files.

#include <string>
#include <string_view>
#include <vector>

namespace vornelle::platform {

// The names (without folder) of the regular files in `folder` whose extension is `extension`
// (".dbf"), compared without regard to ASCII case, in byte order of their names. Folders and
// other entries are skipped, also when their names match; so are files that cannot be examined.
std::vector<std::string> FindFiles(const std::string& folder, std::string_view extension);

}  // namespace vornelle::platform
