// Field information of the current table.

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

uint8_t FieldLen(int field) {
  const FieldDesc* f = CheckedField(Guard("FieldLen()"), field, "FieldLen");
  if (!f) return 0;
  if (f->type == 'D') return State().switches.century ? 10 : 8;
  return f->length;
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
    if (wa->fields[i].name == wanted) return static_cast<int>(i + 1);
  return 0;
}

char* FieldAddress(int field) {
  WorkArea* wa = Guard("FieldAddress()");
  if (!wa) return nullptr;
  if (field == 0) return wa->typed;
  const FieldDesc* f = CheckedField(wa, field, "FieldAddress");
  return f ? wa->typed + f->typed_offset : nullptr;
}

}  // namespace vornelle::engine
