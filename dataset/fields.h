#pragma once
// The field classes the component makes for date, float and integer fields. The number fields
// accept the table's width (0 to 20) as their size; the date field speaks the engine's date
// forms.

#include <string>

#include "framework/field_types.h"

namespace vornelle::dataset {

class TTzIntegerField : public framework::TIntegerField {
 protected:
  bool SizeAllowed(int size) const override { return size >= 0 && size <= 20; }
};

class TTzFloatField : public framework::TFloatField {
 protected:
  bool SizeAllowed(int size) const override { return size >= 0 && size <= 20; }
};

class TTzDateField : public framework::TDateField {
 public:
  // The short date text, in the engine's date order and century form when the engine takes it.
  std::string AsString() const override;
  // The engine's blank date text clears the field; other texts are read by the engine's date
  // conversion, or else by the platform's.
  void SetAsString(const std::string& value) override;
};

// The engine's text for a blank date in its date order and century setting ("  /  /  ").
std::string BlankDateText();
// The engine's form of a date text, or "" when the engine does not take it as a date.
std::string NormalisedDateText(const std::string& text);

}  // namespace vornelle::dataset
