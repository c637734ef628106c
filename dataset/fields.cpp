#include "dataset/fields.h"

#include "dataset/text.h"
#include "engine/engine.h"
#include "engine/record_codec.h"
#include "platform/datetime.h"

namespace vornelle::dataset {

std::string BlankDateText() {
  const engine::EngineSwitches& sw = engine::Switches();
  return engine::DisplayDate("        ", sw.date_order, sw.century);
}

std::string NormalisedDateText(const std::string& text) {
  const engine::EngineSwitches& sw = engine::Switches();
  const std::string stored = engine::StoredDate(text, sw.date_order, platform::Today().year);
  if (stored == "        ") return {};
  return engine::DisplayDate(stored, sw.date_order, sw.century);
}

std::string TTzDateField::AsString() const {
  const std::string text = TDateField::AsString();
  if (text.empty()) return text;
  const std::string normalised = NormalisedDateText(text);
  return normalised.empty() ? text : normalised;
}

void TTzDateField::SetAsString(const std::string& value) {
  const std::string text = TrimRight(value).substr(0, 10);
  if (text == TrimRight(BlankDateText()) || text.empty()) return Clear();
  const std::string normalised = NormalisedDateText(text);
  if (normalised.empty()) return SetAsDateTime(platform::StrToDate(text));
  const engine::EngineSwitches& sw = engine::Switches();
  const std::string ymd = engine::StoredDate(normalised, sw.date_order, platform::Today().year);
  SetAsDateTime(platform::EncodeDate(std::stoi(ymd.substr(0, 4)), std::stoi(ymd.substr(4, 2)),
                                     std::stoi(ymd.substr(6, 2))));
}

}  // namespace vornelle::dataset
