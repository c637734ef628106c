#pragma once
// Field objects: one per column a dataset shows, reading and writing the active record's value
// through the dataset in the field's native form:
//   string   the characters, then NUL (Size() + 1 bytes)
//   integer  int32_t
//   float    double
//   date     int32_t date stamp (days since 1 January of year 1, that day being 1)
//   boolean  int16_t, non-zero for true
//   memo     int32_t, the dataset's reference to the value; the text itself through a blob stream

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/types.h"

namespace vornelle::framework {

class TDataSet;

class TField {
 public:
  using TFieldNotifyEvent = std::function<void(TField& sender)>;

  explicit TField(TFieldType data_type) : data_type_(data_type) {}
  virtual ~TField() = default;
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  // Definition.
  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(std::string name) { field_name_ = std::move(name); }
  const std::string& DisplayLabel() const { return display_label_; }
  void SetDisplayLabel(std::string label) { display_label_ = std::move(label); }
  // The display label, or the field name when there is none.
  const std::string& DisplayName() const {
    return display_label_.empty() ? field_name_ : display_label_;
  }
  TFieldType DataType() const { return data_type_; }
  TFieldKind FieldKind() const { return kind_; }
  void SetFieldKind(TFieldKind kind) { kind_ = kind; }
  bool Calculated() const { return kind_ != fkData; }
  int Size() const { return size_; }
  // EDatabaseError "Invalid field size" when the class does not accept the size.
  void SetSize(int size);
  // The field's position in the dataset's source (1-based); -1 for calculated fields, 0 while
  // unbound.
  int FieldNo() const { return field_no_; }
  // The value's place in the calculated-field part of a record buffer (calculated fields).
  int Offset() const { return offset_; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on) { read_only_ = on; }
  bool Required() const { return required_; }
  void SetRequired(bool on) { required_ = on; }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { visible_ = on; }
  // Bytes of the native form.
  virtual int DataSize() const = 0;
  virtual bool IsBlob() const { return false; }

  TDataSet* DataSet() const { return dataset_; }
  // Not read-only, and the dataset can be modified.
  bool CanModify() const;

  // The native value of the active record: false when it is null. `buffer` may be null to ask
  // only whether there is a value.
  bool GetData(void* buffer) const;
  // Stores a native value; null stores null.
  void SetData(const void* buffer);
  bool IsNull() const { return !GetData(nullptr); }
  void Clear() { SetData(nullptr); }

  // The value in other types. A conversion a field type does not offer raises EDatabaseError;
  // a text that does not convert raises EConvertError. Null reads as "", 0, false.
  virtual std::string AsString() const = 0;
  virtual void SetAsString(const std::string& value) = 0;
  virtual int32_t AsInteger() const;
  virtual void SetAsInteger(int32_t value);
  virtual double AsFloat() const;
  virtual void SetAsFloat(double value);
  virtual TDateTime AsDateTime() const;
  virtual void SetAsDateTime(TDateTime value);
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool value);
  virtual Variant Value() const = 0;
  // Null clears; other values are converted by the field's type.
  void SetValue(const Variant& value);

  // Runs OnValidate with the new value visible through the getters.
  void Validate(const void* buffer);
  // The dataset tells the field its value changed.
  void Change() {
    if (OnChange) OnChange(*this);
  }

  TFieldNotifyEvent OnValidate;
  TFieldNotifyEvent OnChange;

 protected:
  // EDatabaseError: the field offers no conversion to or from `type_name`.
  [[noreturn]] void ConversionError(const char* type_name) const;
  // Accepts the sizes a class allows; the default accepts 0 only.
  virtual bool SizeAllowed(int size) const { return size == 0; }

 private:
  friend class TDataSet;
  friend class TFields;

  std::string field_name_;
  std::string display_label_;
  TFieldType data_type_;
  TFieldKind kind_ = fkData;
  int size_ = 0;
  int field_no_ = 0;
  int offset_ = 0;
  bool read_only_ = false;
  bool required_ = false;
  bool visible_ = true;
  TDataSet* dataset_ = nullptr;
  // While OnValidate runs: the value being validated.
  const void* validating_ = nullptr;
  bool validating_null_ = false;
  bool validating_active_ = false;
};

// The fields of a dataset, in order; owns them.
class TFields {
 public:
  explicit TFields(TDataSet* dataset) : dataset_(dataset) {}
  // Takes the field over and attaches it to the dataset; returns it.
  TField& Add(std::unique_ptr<TField> field);
  void Remove(TField& field);
  void Clear();
  int Count() const { return static_cast<int>(fields_.size()); }
  TField& operator[](int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
  // Names compare without regard to case.
  TField* Find(std::string_view name) const;
  int IndexOf(const TField& field) const;

  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  TDataSet* dataset_;
  std::vector<std::unique_ptr<TField>> fields_;
};

}  // namespace vornelle::framework
