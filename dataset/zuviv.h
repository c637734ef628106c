#pragma once
// TZuViv: the component the calendar places. It adds the reading of a memo field of the current
// record as lines of text.

#include <string>
#include <vector>

#include "dataset/file_dataset.h"

namespace vornelle::dataset {

class TZuViv : public TTzFileDataSet {
 public:
  // Replaces `lines` with the text of the memo field `name` (cut to 10 characters) of the
  // current record, one entry per line, in the ANSI code page. On any failure the list is
  // left empty: a missing or non-memo field is reported to the engine with code 220.
  void GetMField(const std::string& name, std::vector<std::string>& lines);

  // The number of field `name` when it exists and is of the expected kind: C, D, L, M, N (a
  // number without decimals) or R (a number with decimals). Otherwise reports code 220 and
  // returns 0.
  int CheckField(const std::string& operation, const std::string& name, char expected);

  // The memo value at `block` as lines, converted from OEM to ANSI when `translate` is set.
  // EInOutError when the memo cannot be read.
  void MemoToLines(int32_t block, std::vector<std::string>& lines, bool translate);
};

}  // namespace vornelle::dataset
