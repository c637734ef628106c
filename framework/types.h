#pragma once
// The framework's vocabulary: dataset states, field types, fetch modes and results, bookmark
// flags, locate options and the values that cross the dataset's interface.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/datetime.h"

namespace vornelle::framework {

using platform::TDateTime;

// A record buffer: a block of the size the dataset asks for, laid out by the dataset.
using TRecordBuffer = char*;
// A bookmark's bytes; empty means no bookmark.
using TBookmark = std::vector<char>;

enum TDataSetState {
  dsInactive,    // closed
  dsBrowse,      // open, moving and reading
  dsEdit,        // the active record is being changed
  dsInsert,      // a new record is being made
  dsSetKey,      // a search key is being built
  dsCalcFields,  // calculated fields are being computed
  dsFilter,      // a record is being tested by a filter
  dsNewValue,    // a new value is being assigned outside editing
};

enum TFieldType { ftUnknown, ftString, ftInteger, ftFloat, ftDate, ftBoolean, ftMemo };

enum TFieldKind {
  fkData,          // stored in the table
  fkCalculated,    // computed by the calculated-fields event
  fkInternalCalc,  // computed and kept by the dataset itself
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };

// Where a buffered record stands: on a record, before the first, after the last, or new. A new
// record is bfInserted with the bookmark of the record it goes before; an appended one is bfEOF,
// one inserted into an empty dataset bfBOF: the cursor's place when the insert is cancelled.
enum TBookmarkFlag : uint8_t { bfCurrent, bfBOF, bfEOF, bfInserted };

// Resynchronisation: exact (the cursor's record must be there) and centred (the record in
// the middle of the window rather than on the active row).
enum TResyncMode : unsigned { rmExact = 1, rmCenter = 2 };

enum TDataAction { daFail, daAbort, daRetry };

enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

// What a dataset tells the controls linked to it.
enum TDataEvent {
  deFieldChange,      // a field's value changed (info: the field)
  deRecordChange,     // the active record changed as a whole
  deDataSetChange,    // the window of records changed
  deDataSetScroll,    // the window scrolled (info: how far the records moved towards row 0)
  deLayoutChange,     // fields were added, removed or rearranged
  deUpdateRecord,     // controls are to write their pending edits into the fields
  deUpdateState,      // the dataset's state changed
  deCheckBrowseMode,  // the dataset is about to leave the record
};

// A date in a Variant, kept apart from plain numbers.
struct TDateValue {
  TDateTime value = 0;
  bool operator==(const TDateValue& other) const = default;
};

// A value of any field type; monostate is null.
using Variant = std::variant<std::monostate, std::string, int64_t, double, bool, TDateValue>;

inline bool VarIsNull(const Variant& v) { return std::holds_alternative<std::monostate>(v); }
// The value as text: numbers in C notation, dates in the short date format, logicals as
// "True" or "False", null as "".
std::string VarToStr(const Variant& v);

}  // namespace vornelle::framework
