#include "framework/field_defs.h"

#include <cctype>

#include "framework/errors.h"
#include "framework/messages.h"

namespace vornelle::framework {

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
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

const TFieldDef* TFieldDefs::Find(const std::string& name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &defs_[static_cast<std::size_t>(index)];
}

int TFieldDefs::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < defs_.size(); ++i)
    if (SameName(defs_[i].Name(), name)) return static_cast<int>(i);
  return -1;
}

}  // namespace vornelle::framework
