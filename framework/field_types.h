#pragma once
// The field classes: string, integer, float, date, boolean and the blob fields (memo).

#include <string>

#include "framework/field.h"
#include "platform/stream.h"

namespace vornelle::framework {

class TStringField : public TField {
 public:
  TStringField() : TField(ftString) {}
  int DataSize() const override { return Size() + 1; }
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;  // cut to Size() characters
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  bool AsBoolean() const override;  // T, Y, True, Yes (any case) are true
  void SetAsBoolean(bool value) override;  // "T" or "F"
  Variant Value() const override;

 protected:
  bool SizeAllowed(int size) const override { return size >= 0 && size <= 8192; }
};

class TIntegerField : public TField {
 public:
  TIntegerField() : TField(ftInteger) {}
  int DataSize() const override { return 4; }
  std::string AsString() const override;
  void SetAsString(const std::string& value) override;  // blank clears
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;  // rounded; beyond 32 bits raises
  Variant Value() const override;
};

class TFloatField : public TField {
 public:
  TFloatField() : TField(ftFloat) {}
  int DataSize() const override { return 8; }
  std::string AsString() const override;  // 15 significant digits
  void SetAsString(const std::string& value) override;  // blank clears
  int32_t AsInteger() const override;  // rounded; beyond 32 bits raises
  void SetAsInteger(int32_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  Variant Value() const override;
};

class TDateField : public TField {
 public:
  TDateField() : TField(ftDate) {}
  int DataSize() const override { return 4; }
  std::string AsString() const override;  // the short date format; "" when null
  void SetAsString(const std::string& value) override;  // blank clears
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;  // the day; the time of day is dropped
  Variant Value() const override;
};

class TBooleanField : public TField {
 public:
  TBooleanField() : TField(ftBoolean) {}
  int DataSize() const override { return 2; }
  std::string AsString() const override;  // "True" or "False"; "" when null
  void SetAsString(const std::string& value) override;  // as TStringField::AsBoolean; blank clears
  bool AsBoolean() const override;
  void SetAsBoolean(bool value) override;
  Variant Value() const override;
};

// A value kept outside the record, read and written through the dataset's blob streams.
class TBlobField : public TField {
 public:
  explicit TBlobField(TFieldType data_type) : TField(data_type) {}
  int DataSize() const override { return 4; }
  bool IsBlob() const override { return true; }
  std::string AsString() const override;
  // Replaces the value; the dataset must be in edit or insert mode.
  void SetAsString(const std::string& value) override;
  Variant Value() const override;
  void LoadFromStream(platform::TStream& stream);
  void SaveToStream(platform::TStream& stream) const;

 protected:
  bool SizeAllowed(int size) const override { return size >= 0; }
};

class TMemoField : public TBlobField {
 public:
  TMemoField() : TBlobField(ftMemo) {}
};

}  // namespace vornelle::framework
