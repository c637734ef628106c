#include "app/core/leftovers.h"

#include <string_view>

#include "app/core/product.h"

namespace vornelle::app {
namespace fs = std::filesystem;

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(text[i]) != lower(prefix[i])) return false;
  }
  return true;
}

bool IsLeftover(std::string_view name) {
  constexpr std::string_view kPartial = ".partial";
  const bool partial = name.size() > kPartial.size() + 1 && name.front() == '.' &&
                       name.substr(name.size() - kPartial.size()) == kPartial;
  return partial || StartsWithNoCase(name, std::string(kSettingsFileName) + ".tmp-");
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
