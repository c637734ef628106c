#pragma once
// Field definitions: what a dataset's source says its fields are, before field objects exist.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/types.h"

namespace vornelle::framework {

class TFieldDef {
 public:
  TFieldDef(std::string name, TFieldType data_type, int size, bool required, int field_no)
      : name_(std::move(name)), data_type_(data_type), size_(size), required_(required),
        field_no_(field_no) {}

  const std::string& Name() const { return name_; }
  TFieldType DataType() const { return data_type_; }
  int Size() const { return size_; }
  bool Required() const { return required_; }
  // The field's 1-based position in its source.
  int FieldNo() const { return field_no_; }

 private:
  std::string name_;
  TFieldType data_type_;
  int size_;
  bool required_;
  int field_no_;
};

class TFieldDefs {
 public:
  TFieldDef& Add(std::string name, TFieldType data_type, int size, bool required, int field_no);
  void Clear() { defs_.clear(); }
  int Count() const { return static_cast<int>(defs_.size()); }
  const TFieldDef& operator[](int index) const { return defs_.at(static_cast<std::size_t>(index)); }
  // Names compare without regard to case; null or -1 when there is none.
  const TFieldDef* Find(std::string_view name) const;
  int IndexOf(std::string_view name) const;

  auto begin() const { return defs_.begin(); }
  auto end() const { return defs_.end(); }

 private:
  std::vector<TFieldDef> defs_;
};

// Names of fields and datasets compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// The type's name in messages: "String", "Integer", "Float", "Date", "Boolean", "Memo".
const char* FieldTypeName(TFieldType type);

}  // namespace vornelle::framework
