#pragma once
// TDbfFieldProps: a snapshot of an open table's field layout, taken right after the table is
// opened, with the place of every field in the engine's typed record buffer.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vornelle::dataset {

// One field of the snapshot.
struct TDTField {
  std::string Name;     // upper case, as the engine reports it
  char TypeLetter = 'C';
  uint16_t Width = 0;     // the engine's FieldLen (8 or 10 for dates)
  uint16_t Decimals = 0;
  uint16_t Offset = 0;    // in the typed record buffer
  uint16_t RawOffset = 0;  // in the raw record as stored
  uint16_t RawWidth = 0;   // in the raw record as stored
  bool Double = false;     // N and F: the typed buffer holds a double, else a 32-bit integer
};

class TDbfFieldProps {
 public:
  // The layout of the current work area's table.
  static std::unique_ptr<TDbfFieldProps> OfCurrentArea();

  // The engine's typed record buffer of the work area: the live buffer, not a copy.
  char* RecordImage = nullptr;
  std::vector<TDTField> Fields;
};

}  // namespace vornelle::dataset
