#pragma once
// Reading and writing whole records and the table header.

#include <cstdint>

#include "engine/record_window.h"
#include "engine/state.h"

namespace vornelle::engine {

// Reads record n into the raw record and translates it for display (GetDbfRecord), reading
// ahead in the given direction where the record window allows. Reports and returns false on
// failure.
bool ReadRecord(WorkArea& wa, int32_t n, ReadAhead ahead = ReadAhead::None);
// As ReadRecord, but returns the code (212 out of range, 213 short read, or the platform's)
// without reporting it.
int ReadRecordCode(WorkArea& wa, int32_t n, ReadAhead ahead = ReadAhead::None);
// Reads record n and unpacks it into the typed record buffer.
bool ReadAndUnpack(WorkArea& wa, int32_t n, ReadAhead ahead = ReadAhead::None);
// Writes the raw record as record n; n beyond the count appends (PutDbfRecord).
bool WriteRecord(WorkArea& wa, int32_t n);

// Shared tables: the record count from the file size, so other programs' appends show.
void Recount(WorkArea& wa);
// The records the file holds: as many as its size gives, but past the header's count only up to
// a record slot that begins with the end mark 0x1A.
int32_t CountFromSize(WorkArea& wa);
// The record count of the header as last read or written.
int32_t HeaderRecordCount(const WorkArea& wa);

// Rewrites the first 32 header bytes (8 for dBASE II) with today's date and the record count.
// Returns 0 or the platform code.
int RewriteHeader(WorkArea& wa);

// Writes the end-of-file mark 0x1A after the last record. Returns 0 or the platform code.
int WriteEndMark(WorkArea& wa);

// Character translation of the raw record's data bytes (never the deletion byte).
void TranslateForRead(const WorkArea& wa, char* data, std::size_t count);
void TranslateForWrite(const WorkArea& wa, char* data, std::size_t count);

// Blank raw record, unpacked into the typed buffer.
void ClearRecordOf(WorkArea& wa);

}  // namespace vornelle::engine
