#include "app/core/leftovers.h"

#include <algorithm>

#include "app/core/product.h"
#include "platform/ascii_case.h"

namespace vornelle::app {
namespace fs = std::filesystem;

namespace {

// The six letters or digits a unique file name is made with.
bool IsUniquePart(std::string_view part) {
  return part.size() == 6 && std::all_of(part.begin(), part.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

}  // namespace

bool IsOurLeftoverName(std::string_view name) {
  // A sample copy: "." + the sample's name + "." + six letters or digits + ".partial".
  constexpr std::string_view kPartial = ".partial";
  if (name.size() > 1 + 1 + 7 + kPartial.size() && name.front() == '.' &&
      name.substr(name.size() - kPartial.size()) == kPartial) {
    const std::string_view stem = name.substr(0, name.size() - kPartial.size());
    if (stem[stem.size() - 7] == '.' && IsUniquePart(stem.substr(stem.size() - 6))) return true;
  }
  // The settings file's replacement: its name (in whatever case the folder has it) + ".tmp-" +
  // six letters or digits.
  const std::string temporary = std::string(kSettingsFileName) + ".tmp-";
  return name.size() == temporary.size() + 6 &&
         platform::EqualIgnoringAsciiCase(name.substr(0, temporary.size()), temporary) &&
         IsUniquePart(name.substr(temporary.size()));
}

void RemoveStaleLeftovers(const fs::path& folder, std::chrono::seconds age) {
  std::error_code error;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (!IsOurLeftoverName(it->path().filename().string()) || !it->is_regular_file(ignored)) continue;
    const auto written = fs::last_write_time(it->path(), ignored);
    if (!ignored && now - written > age) fs::remove(it->path(), ignored);
  }
}

}  // namespace vornelle::app
