#pragma once
// TTzCDataSet: the read-only mode and the filter, given as a dBASE expression that the engine
// compiles and applies while it moves.

#include <string>

#include "dataset/tz_dataset.h"

namespace vornelle::dataset {

class TTzCDataSet : public TTzDataSet {
 public:
  // Opens the file for reading only and refuses every change.
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on) { read_only_ = on; }

  // Makes only the records for which the expression is true visible; an empty text shows every
  // record again. The dataset stays on its record when that one passes the new filter, and
  // moves to the last visible record otherwise.
  void SetFilterTo(const std::string& expression);

 protected:
  bool GetCanModify() override { return !read_only_; }

 private:
  bool read_only_ = false;
};

}  // namespace vornelle::dataset
