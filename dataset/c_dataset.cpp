#include "dataset/c_dataset.h"

#include "engine/engine.h"

namespace vornelle::dataset {

void TTzCDataSet::SetFilterTo(const std::string& expression) {
  SelectWorkArea("SetFilterTo");
  SyncCursor();
  engine::Set_Filter_To(expression);
  // The framework only records the filter; the engine does the filtering.
  SetFilterText(expression);
  SetFiltered(!expression.empty());
  // The blank record past the end is no record: with nothing under the cursor, look for the
  // last record the new filter shows.
  SelectWorkArea("SetFilterTo");
  if (!engine::dEOF() && engine::FilterHolds())
    RefreshPosition();
  else
    Last();
}

}  // namespace vornelle::dataset
