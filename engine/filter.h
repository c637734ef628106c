#pragma once
// Filters: which records navigation shows, and the while condition that ends a scan.

#include <string_view>

#include "engine/state.h"

namespace vornelle::engine {

// Compiles the expression through the expression unit and makes it the current work area's
// filter; an empty text removes the filter. The current record is not re-read.
void Set_Filter_To(std::string_view text);

// True when the record just read, not yet unpacked, cannot pass: the filter has a byte test
// and the record's bytes fail it. Only without a while condition, which needs the record whole.
bool RawFilterRejects(const WorkArea& wa);
// The same for record bytes as stored in the file (`stored`) or as read, translated (raw_filter
// must be set).
bool RawBytesReject(const WorkArea::RawEquals& test, const char* record, bool stored = true);
// The first record from n on, going forward, that the byte test does not reject (past the
// record count when none is), testing the records in the read-ahead window without copying
// them; n itself when the byte test cannot be used.
int32_t FirstRawCandidate(WorkArea& wa, int32_t n);
// The same going backward from n: the last record up to n that the byte test does not reject
// (0 when none is).
int32_t LastRawCandidate(WorkArea& wa, int32_t n);

// The record is not a hidden deleted record and the filter accepts it.
bool RecordPasses(WorkArea& wa);
// The filter alone, without the deleted test (current work area).
bool FilterHolds();
// True unless a while condition is set and fails on the current record.
bool WhileHolds(WorkArea& wa);
// When the current record no longer passes, moves to the next passing record (or back);
// true when it moved.
bool RepositionAfterChange();

}  // namespace vornelle::engine
