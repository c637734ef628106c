// TField: what every field class shares, and the field list of a dataset.

#include "framework/field.h"

#include <cmath>
#include <cstring>

#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/field_defs.h"
#include "framework/messages.h"

namespace vornelle::framework {

void TField::SetSize(int size) {
  if (!SizeAllowed(size)) DatabaseError(msg::kInvalidFieldSize);
  size_ = size;
}

bool TField::CanModify() const { return !read_only_ && dataset_ && dataset_->CanModify(); }

bool TField::GetData(void* buffer) const {
  if (validating_active_) {
    if (validating_null_) return false;
    if (buffer) std::memcpy(buffer, validating_, static_cast<std::size_t>(DataSize()));
    return true;
  }
  if (!dataset_) DatabaseErrorFmt(msg::kFieldNoDataSet, DisplayName().c_str());
  return dataset_->GetFieldData(const_cast<TField&>(*this), buffer);
}

void TField::SetData(const void* buffer) {
  if (!dataset_) DatabaseErrorFmt(msg::kFieldNoDataSet, DisplayName().c_str());
  dataset_->SetFieldData(*this, buffer);
}

void TField::Validate(const void* buffer) {
  if (!OnValidate) return;
  validating_ = buffer;
  validating_null_ = buffer == nullptr;
  validating_active_ = true;
  try {
    OnValidate(*this);
  } catch (...) {
    validating_active_ = false;
    throw;
  }
  validating_active_ = false;
}

void TField::ConversionError(const char* type_name) const {
  DatabaseErrorFmt(msg::kInvalidConversion, DisplayName().c_str(), type_name);
}

int32_t TField::AsInteger() const { ConversionError("Integer"); }
void TField::SetAsInteger(int32_t) { ConversionError("Integer"); }
double TField::AsFloat() const { ConversionError("Float"); }
void TField::SetAsFloat(double) { ConversionError("Float"); }
TDateTime TField::AsDateTime() const { ConversionError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { ConversionError("DateTime"); }
bool TField::AsBoolean() const { ConversionError("Boolean"); }
void TField::SetAsBoolean(bool) { ConversionError("Boolean"); }

void TField::SetValue(const Variant& value) {
  struct Visitor {
    TField& field;
    void operator()(std::monostate) const { field.Clear(); }
    void operator()(const std::string& s) const { field.SetAsString(s); }
    void operator()(int64_t i) const {
      if (field.DataType() != ftFloat && i >= INT32_MIN && i <= INT32_MAX)
        field.SetAsInteger(static_cast<int32_t>(i));
      else
        field.SetAsFloat(static_cast<double>(i));
    }
    void operator()(double d) const { field.SetAsFloat(d); }
    void operator()(bool b) const { field.SetAsBoolean(b); }
    void operator()(TDateValue d) const { field.SetAsDateTime(d.value); }
  };
  std::visit(Visitor{*this}, value);
}

// --- TFields ---

namespace {

// Equality of two short texts, a word at a time: field names are looked up for every value a
// caller reads by name.
bool SameBytes(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  if (n < 4 || n > 16) return a == b;
  // Two overlapping words cover the whole text: its first and its last 4 or 8 bytes.
  if (n < 8) {
    uint32_t a0, a1, b0, b1;
    std::memcpy(&a0, a.data(), 4), std::memcpy(&a1, a.data() + n - 4, 4);
    std::memcpy(&b0, b.data(), 4), std::memcpy(&b1, b.data() + n - 4, 4);
    return a0 == b0 && a1 == b1;
  }
  uint64_t a0, a1, b0, b1;
  std::memcpy(&a0, a.data(), 8), std::memcpy(&a1, a.data() + n - 8, 8);
  std::memcpy(&b0, b.data(), 8), std::memcpy(&b1, b.data() + n - 8, 8);
  return a0 == b0 && a1 == b1;
}

}  // namespace

TField& TFields::Add(std::unique_ptr<TField> field) {
  // Fields are bound to the source's columns at open; one added later would be bound to none.
  if (dataset_ && dataset_->Active()) DatabaseError(msg::kDataSetOpen);
  if (!field->FieldName().empty() && Find(field->FieldName()))
    DatabaseErrorFmt(msg::kDuplicateFieldName, field->FieldName().c_str());
  field->dataset_ = dataset_;
  fields_.push_back(std::move(field));
  return *fields_.back();
}

void TFields::Remove(TField& field) {
  if (dataset_ && dataset_->Active()) DatabaseError(msg::kDataSetOpen);
  std::erase_if(fields_, [&](const std::unique_ptr<TField>& f) { return f.get() == &field; });
}

void TFields::Clear() { fields_.clear(); }

TField* TFields::Find(std::string_view name) const {
  // Names are nearly always asked for as they are written: try that first, cheaply.
  for (const auto& field : fields_)
    if (SameBytes(field->FieldName(), name)) return field.get();
  for (const auto& field : fields_)
    if (SameName(field->FieldName(), name)) return field.get();
  return nullptr;
}

int TFields::IndexOf(const TField& field) const {
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].get() == &field) return static_cast<int>(i);
  return -1;
}

}  // namespace vornelle::framework
