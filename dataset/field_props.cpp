#include "dataset/field_props.h"

#include "engine/engine.h"

namespace vornelle::dataset {

std::unique_ptr<TDbfFieldProps> TDbfFieldProps::OfCurrentArea() {
  auto props = std::make_unique<TDbfFieldProps>();
  props->RecordImage = engine::FieldAddress(0);
  const engine::WorkArea* wa = engine::Current();
  const int count = engine::FieldCount();
  props->Fields.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    TDTField field;
    field.Name = engine::Field(i);
    field.TypeLetter = engine::FieldType(i);
    field.Width = engine::FieldLen(i);
    field.Decimals = engine::FieldDec(i);
    field.Offset = static_cast<uint16_t>(engine::FieldAddress(i) - props->RecordImage);
    field.RawOffset = wa->fields[static_cast<std::size_t>(i - 1)].offset;
    field.RawWidth = wa->fields[static_cast<std::size_t>(i - 1)].length;
    field.Double = wa->fields[static_cast<std::size_t>(i - 1)].TypedDouble();
    props->Fields.push_back(std::move(field));
  }
  return props;
}

}  // namespace vornelle::dataset
