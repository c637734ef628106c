// TTzFileDataSet: Locate and Lookup through the engine's dataset locate.

#include "dataset/file_dataset.h"
#include "engine/engine.h"

namespace vornelle::dataset {

using namespace framework;

bool TTzFileDataSet::Locate(const std::string& key_fields, const std::vector<Variant>& key_values,
                            TLocateOptions options) {
  // The table first: a closed one is reported as not open, with the operation's name.
  SelectWorkArea("Locate");
  CheckBrowseMode();
  SelectWorkArea("Locate");
  DoBeforeScroll();
  const bool found = TziLocateRecord(key_fields, key_values, (options & loCaseInsensitive) != 0,
                                     true, (options & loPartialKey) == 0);
  if (found) {
    Resync(rmExact | rmCenter);
    DoAfterScroll();
  }
  return found;
}

// The record found is read into the framework's spare buffer and its fields are taken from
// there in a calculated-fields pass; then the engine goes back to where it stood, so that the
// dataset does not move.
std::vector<Variant> TTzFileDataSet::Lookup(const std::string& key_fields,
                                            const std::vector<Variant>& key_values,
                                            const std::string& result_fields) {
  SelectWorkArea("Lookup");
  CheckBrowseMode();
  SelectWorkArea("Lookup");
  const int32_t start = engine::RecNo();
  const bool begin = at_begin_, end = at_end_;
  std::vector<Variant> values;
  if (!TziLocateRecord(key_fields, key_values, false, true, true)) return values;

  // Back to where the engine stood, also when reading the values raises.
  auto go_back = [&] {
    SelectWorkArea("Lookup");
    if (start >= 1 && start <= engine::RecCount()) {
      engine::Go(start);
      at_begin_ = begin;
      at_end_ = end;
    } else {
      CursorPosChanged();
    }
  };
  try {
    TRecordBuffer buffer = TempBuffer();
    ReadRecordToBuffer(buffer);
    RecordAside aside(*this, buffer);
    ClearCalcFields(buffer);
    if (OnCalcFields) OnCalcFields(*this);
    for (TField* field : FieldList(result_fields)) values.push_back(field->Value());
  } catch (...) {
    go_back();
    throw;
  }
  go_back();
  return values;
}

}  // namespace vornelle::dataset
