// The integer and float fields.

#include "framework/errors.h"
#include "framework/field_types.h"
#include "framework/messages.h"
#include "framework/value_text.h"
#include "platform/trim.h"

namespace vornelle::framework {

namespace {

int32_t RoundedOrError(double value, const TField& field) {
  int32_t out = 0;
  if (!RoundToInt32(value, &out))
    DatabaseErrorFmt(msg::kIntegerRange, FloatText(value).c_str(), field.DisplayName().c_str());
  return out;
}

}  // namespace

// --- TIntegerField ---

int32_t TIntegerField::AsInteger() const {
  int32_t value = 0;
  return GetData(&value) ? value : 0;
}

void TIntegerField::SetAsInteger(int32_t value) { SetData(&value); }

std::string TIntegerField::AsString() const {
  int32_t value = 0;
  return GetData(&value) ? std::to_string(value) : std::string();
}

void TIntegerField::SetAsString(const std::string& value) {
  if (platform::TrimBlanksAndTabs(value).empty()) return Clear();
  int32_t number = 0;
  if (!ParseInteger(value, &number))
    throw platform::EConvertError(platform::Format(msg::kInvalidInteger, value.c_str()));
  SetAsInteger(number);
}

double TIntegerField::AsFloat() const { return AsInteger(); }

void TIntegerField::SetAsFloat(double value) { SetAsInteger(RoundedOrError(value, *this)); }

Variant TIntegerField::Value() const {
  int32_t value = 0;
  if (!GetData(&value)) return {};
  return static_cast<int64_t>(value);
}

// --- TFloatField ---

double TFloatField::AsFloat() const {
  double value = 0;
  return GetData(&value) ? value : 0;
}

void TFloatField::SetAsFloat(double value) { SetData(&value); }

std::string TFloatField::AsString() const {
  double value = 0;
  return GetData(&value) ? FloatText(value) : std::string();
}

void TFloatField::SetAsString(const std::string& value) {
  if (platform::TrimBlanksAndTabs(value).empty()) return Clear();
  double number = 0;
  if (!ParseFloat(value, &number))
    throw platform::EConvertError(platform::Format(msg::kInvalidFloat, value.c_str()));
  SetAsFloat(number);
}

int32_t TFloatField::AsInteger() const { return RoundedOrError(AsFloat(), *this); }

void TFloatField::SetAsInteger(int32_t value) { SetAsFloat(value); }

Variant TFloatField::Value() const {
  double value = 0;
  if (!GetData(&value)) return {};
  return value;
}

}  // namespace vornelle::framework
