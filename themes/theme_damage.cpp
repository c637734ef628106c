#include "themes/theme_damage.h"

#include "engine/engine.h"

namespace vornelle::themes {

bool HasThemeFields() {
  const int date = engine::FieldNo("THEDATE");
  const int joke = engine::FieldNo("THEJOKE");
  return date != 0 && engine::FieldType(date) == 'C' && joke != 0 && engine::FieldType(joke) == 'M';
}

std::string MissingRecordsProblem() {
  const int32_t promised = engine::HeaderRecCount();
  const int32_t held = engine::RecCount();
  if (held >= promised) return {};
  return "the file holds " + std::to_string(held) + " of the " + std::to_string(promised) +
         " records its header counts";
}

}  // namespace vornelle::themes
