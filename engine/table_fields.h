#pragma once
// The field descriptors of a table's header: names, types, widths and flags, and whether they
// describe the record the header and the file's size say a record is.

#include <cstdint>
#include <string>

#include "engine/state.h"

namespace vornelle::engine {

// Where a descriptor keeps its parts: the name ends at NUL or `name_end`; `flags_at` is -1 where
// the family keeps no field flags. `first` is the file offset of the first descriptor.
struct DescriptorLayout {
  int width, name_end, type_at, length_at, decimals_at, flags_at;
  int first = 0;
};

struct DescriptorProblem {
  int code = 0;         // 0: none; else 211 (a type or width), 222 (no fields), 210 (the record)
  std::string context;  // why, as the engine's report says it
};

// Reads up to `max_fields` descriptors from `bytes` (the list ends at a 0x0D) into wa.fields,
// with their types as the engine presents them, how their values are stored, their offsets and
// Visual FoxPro's null flags. Widths are taken so that the fields cover the record: a C field
// wider than 255 keeps its high byte in the decimals byte, and a header whose record length
// the fields and the file's size both contradict is corrected; fields that cover the record in
// no way the file proves are refused. Sets wa.record_length. `file_size` is the table file's.
DescriptorProblem ReadFieldDescriptors(WorkArea& wa, const uint8_t* bytes, int max_fields,
                                       const DescriptorLayout& layout, int64_t file_size);

}  // namespace vornelle::engine
