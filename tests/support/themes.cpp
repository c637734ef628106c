#include "tests/support/themes.h"

#include <algorithm>
#include <cstring>

#include "engine/engine.h"

namespace vornelle::testing {

namespace {

void Write(const std::string& path, const std::vector<ThemeRecord>& records, bool translated) {
  using namespace engine;
  CreateDbf(path, {{"THEDATE", 'C', 4, 0}, {"THEJOKE", 'M', 10, 0}});
  const bool oem = Switches().oem;
  Switches().oem = translated;
  const int area = CurrentArea();
  Select(0);
  UseTable(path, {/*exclusive=*/true, "THEMEMAKER"});
  for (const ThemeRecord& r : records) {
    ClearRecord();
    std::memcpy(FieldAddress(1) + 1, r.day.data(), std::min<std::size_t>(r.day.size(), 4));
    const int32_t block = WriteMemoValue(r.message, translated);
    std::memcpy(FieldAddress(2), &block, 4);
    Append();
    if (r.deleted) DeleteRec();
  }
  CloseArea();
  Select(area);
  Switches().oem = oem;
}

}  // namespace

void WriteTheme(const std::string& path, const std::vector<ThemeRecord>& records) { Write(path, records, true); }

void WriteStoredTheme(const std::string& path, const std::vector<ThemeRecord>& records) {
  Write(path, records, false);
}

}  // namespace vornelle::testing
