#include <cstring>
#include <vector>

#include "framework/errors.h"
#include "framework/field_types.h"
#include "framework/messages.h"
#include "framework/value_text.h"
#include "platform/trim.h"

namespace vornelle::framework {

std::string TStringField::AsString() const {
  // Most fields are short: read them on the stack, and only then make the string.
  char small[64];
  const auto size = static_cast<std::size_t>(DataSize());
  if (size <= sizeof small) {
    if (!GetData(small)) return {};
    return std::string(small, strnlen(small, size));
  }
  std::string text(size, '\0');
  if (!GetData(text.data())) return {};
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

void TStringField::SetAsString(const std::string& value) {
  std::vector<char> buffer(static_cast<std::size_t>(DataSize()), '\0');
  std::memcpy(buffer.data(), value.data(), std::min(value.size(), static_cast<std::size_t>(Size())));
  SetData(buffer.data());
}

int32_t TStringField::AsInteger() const {
  const std::string text = AsString();
  int32_t value = 0;
  if (!platform::TrimBlanksAndTabs(text).empty() && !ParseInteger(text, &value))
    throw platform::EConvertError(platform::Format(msg::kInvalidInteger, text.c_str()));
  return value;
}

void TStringField::SetAsInteger(int32_t value) { SetAsString(std::to_string(value)); }

double TStringField::AsFloat() const {
  const std::string text = AsString();
  double value = 0;
  if (!platform::TrimBlanksAndTabs(text).empty() && !ParseFloat(text, &value))
    throw platform::EConvertError(platform::Format(msg::kInvalidFloat, text.c_str()));
  return value;
}

void TStringField::SetAsFloat(double value) { SetAsString(FloatText(value)); }

TDateTime TStringField::AsDateTime() const {
  const std::string text = AsString();
  return platform::TrimBlanksAndTabs(text).empty() ? 0 : platform::StrToDate(text);
}

void TStringField::SetAsDateTime(TDateTime value) { SetAsString(platform::DateToStr(value)); }

bool TStringField::AsBoolean() const {
  const std::string text = AsString();
  bool value = false;
  if (!platform::TrimBlanksAndTabs(text).empty() && !ParseBoolean(text, &value))
    throw platform::EConvertError(
        platform::Format(msg::kInvalidBoolean, text.c_str(), DisplayName().c_str()));
  return value;
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? "T" : "F"); }

Variant TStringField::Value() const {
  if (IsNull()) return {};
  return AsString();
}

}  // namespace vornelle::framework
