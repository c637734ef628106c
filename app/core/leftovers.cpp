#include "app/core/leftovers.h"

#include <string_view>

#include "app/core/product.h"
#include "platform/ascii_case.h"

namespace vornelle::app {
namespace fs = std::filesystem;

namespace {

bool IsLeftover(std::string_view name) {
  constexpr std::string_view kPartial = ".partial";
  const bool partial = name.size() > kPartial.size() + 1 && name.front() == '.' &&
                       name.substr(name.size() - kPartial.size()) == kPartial;
  const std::string temporary = std::string(kSettingsFileName) + ".tmp-";
  return partial || platform::EqualIgnoringAsciiCase(name.substr(0, temporary.size()), temporary);
}

}  // namespace

void RemoveStaleLeftovers(const fs::path& folder, std::chrono::seconds age) {
  std::error_code error;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (!IsLeftover(it->path().filename().string()) || !it->is_regular_file(ignored)) continue;
    const auto written = fs::last_write_time(it->path(), ignored);
    if (!ignored && now - written > age) fs::remove(it->path(), ignored);
  }
}

}  // namespace vornelle::app
