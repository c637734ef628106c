// The date and boolean fields.

#include <cmath>

#include "framework/errors.h"
#include "framework/field_types.h"
#include "framework/messages.h"
#include "framework/value_text.h"
#include "platform/trim.h"

namespace vornelle::framework {

// --- TDateField ---

TDateTime TDateField::AsDateTime() const {
  int32_t stamp = 0;
  return GetData(&stamp) ? platform::DateStampToDateTime(stamp) : 0;
}

void TDateField::SetAsDateTime(TDateTime value) {
  const int32_t stamp = platform::DateTimeToDateStamp(value);
  if (stamp <= 0) throw platform::EConvertError("Invalid argument to date encode");
  SetData(&stamp);
}

std::string TDateField::AsString() const {
  int32_t stamp = 0;
  return GetData(&stamp) ? platform::DateToStr(platform::DateStampToDateTime(stamp)) : std::string();
}

void TDateField::SetAsString(const std::string& value) {
  if (platform::TrimBlanksAndTabs(value).empty()) return Clear();
  SetAsDateTime(platform::StrToDate(value));
}

double TDateField::AsFloat() const { return AsDateTime(); }
void TDateField::SetAsFloat(double value) { SetAsDateTime(value); }

Variant TDateField::Value() const {
  if (IsNull()) return {};
  return TDateValue{AsDateTime()};
}

// --- TBooleanField ---

bool TBooleanField::AsBoolean() const {
  int16_t value = 0;
  return GetData(&value) && value != 0;
}

void TBooleanField::SetAsBoolean(bool value) {
  const int16_t native = value ? 1 : 0;
  SetData(&native);
}

std::string TBooleanField::AsString() const {
  if (IsNull()) return {};
  return AsBoolean() ? "True" : "False";
}

void TBooleanField::SetAsString(const std::string& value) {
  if (platform::TrimBlanksAndTabs(value).empty()) return Clear();
  bool parsed = false;
  if (!ParseBoolean(value, &parsed))
    throw platform::EConvertError(
        platform::Format(msg::kInvalidBoolean, value.c_str(), DisplayName().c_str()));
  SetAsBoolean(parsed);
}

Variant TBooleanField::Value() const {
  if (IsNull()) return {};
  return AsBoolean();
}

}  // namespace vornelle::framework
