#include "framework/field_defs.h"

#include "framework/errors.h"
#include "framework/messages.h"

namespace vornelle::framework {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  // Names are looked up for every value read: fold ASCII case inline, only where bytes differ.
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    const unsigned lower = x | 0x20u;
    if (lower != (y | 0x20u) || lower < 'a' || lower > 'z') return false;
  }
  return true;
}

const char* FieldTypeName(TFieldType type) {
  switch (type) {
    case ftString: return "String";
    case ftInteger: return "Integer";
    case ftFloat: return "Float";
    case ftDate: return "Date";
    case ftBoolean: return "Boolean";
    case ftMemo: return "Memo";
    default: return "Unknown";
  }
}

TFieldDef& TFieldDefs::Add(std::string name, TFieldType data_type, int size, bool required,
                           int field_no) {
  if (!name.empty() && Find(name)) DatabaseErrorFmt(msg::kDuplicateFieldName, name.c_str());
  defs_.emplace_back(std::move(name), data_type, size, required, field_no);
  return defs_.back();
}

const TFieldDef* TFieldDefs::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &defs_[static_cast<std::size_t>(index)];
}

int TFieldDefs::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < defs_.size(); ++i)
    if (SameName(defs_[i].Name(), name)) return static_cast<int>(i);
  return -1;
}

}  // namespace vornelle::framework
