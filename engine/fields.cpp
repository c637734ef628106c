// Field information of the current table.

#include "engine/field_storage.h"
#include "engine/internal.h"
#include "engine/table.h"

namespace vornelle::engine {

namespace {

// The field descriptor of a valid 1-based field number, or null after reporting.
const FieldDesc* CheckedField(WorkArea* wa, int field, const char* routine) {
  if (!wa) return nullptr;
  if (field < 1 || field > static_cast<int>(wa->fields.size())) {
    Report(220, "Invalid field number. [" + std::string(routine) + "(" + std::to_string(field) +
                    ")]");
    return nullptr;
  }
  return &wa->fields[static_cast<std::size_t>(field - 1)];
}

}  // namespace

uint8_t FieldCount() {
  WorkArea* wa = Guard("FieldCount()");
  return wa ? static_cast<uint8_t>(wa->fields.size()) : 0;
}

char FieldType(int field) {
  const FieldDesc* f = CheckedField(Guard("FieldType()"), field, "FieldType");
  return f ? f->type : ' ';
}

uint16_t FieldLen(int field) {
  const FieldDesc* f = CheckedField(Guard("FieldLen()"), field, "FieldLen");
  if (!f) return 0;
  if (f->type == 'D') return State().switches.century ? 10 : 8;
  return f->TextWidth();
}

uint8_t FieldDec(int field) {
  const FieldDesc* f = CheckedField(Guard("FieldDec()"), field, "FieldDec");
  return f ? f->decimals : 0;
}

std::string Field(int field) {
  const FieldDesc* f = CheckedField(Guard("Field()"), field, "Field");
  return f ? f->name : std::string();
}

int FieldNo(std::string_view name) {
  WorkArea* wa = Guard("FieldNo()");
  if (!wa) return 0;
  std::string wanted = UpperAscii(Trim(name).substr(0, 10));
  for (std::size_t i = 0; i < wa->fields.size(); ++i)
    if (SameFieldName(wa->fields[i].name, wanted)) return static_cast<int>(i + 1);
  return 0;
}

// An 11th character, kept from a name that fills its descriptor, is no part of the comparison.
bool SameFieldName(std::string_view field_name, std::string_view name) {
  return field_name.substr(0, 10) == name.substr(0, 10);
}

char* FieldAddress(int field) {
  WorkArea* wa = Guard("FieldAddress()");
  if (!wa) return nullptr;
  if (field == 0) return wa->typed;
  const FieldDesc* f = CheckedField(wa, field, "FieldAddress");
  return f ? wa->typed + f->typed_offset : nullptr;
}

}  // namespace vornelle::engine

namespace vornelle::engine {

bool FieldIsNull(int field) {
  WorkArea* wa = Guard("FieldIsNull()");
  const FieldDesc* f = CheckedField(wa, field, "FieldIsNull");
  return f && IsNullValue(*wa, *f, wa->raw.data());
}

bool SetFieldNull(int field, bool null) {
  WorkArea* wa = Guard("SetFieldNull()");
  const FieldDesc* f = CheckedField(wa, field, "SetFieldNull");
  if (!f || f->null_bit < 0) return false;
  SetNullValue(*wa, *f, wa->raw.data(), null);
  return true;
}

}  // namespace vornelle::engine
