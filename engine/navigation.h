#pragma once
// Moving the current record of the current work area, and reading or writing single fields
// straight in the file.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace vornelle::engine {

void GoTop();
void GoBottom();
void Skip(int32_t count);
void Go(int32_t recno);
// The next record of a scan that reads only the stored record (WorkArea::raw, memo blocks by
// StoredMemoBlock), never the typed buffer: as Skip(1), with the deleted-record rule, the
// record count to the end mark and other programs' appends, but without refreshing the typed
// buffer, which keeps what it last held. A table with a filter, a while condition or a moved
// hook moves by Skip(1) itself. false at the end (dEOF is true then) or on an error.
bool SkipStoredOnly();
// false (and no move) when the number is <= 0 or above RecCount; else Go and true.
bool SafeGo(int32_t recno);
// Reads record n without filter, hooks or end scan.
void Dbf4RawGo(int32_t recno);
// As GoTop / GoBottom, but respecting a while condition when one is set.
void GoTopWhile();
void GoBottomWhile();

bool dEOF();
bool dBOF();
int32_t RecCount();
// The record count the header gave when the table was opened. A shared table's RecCount is
// what the file holds: a file holding fewer was cut short, or its writer failed.
int32_t HeaderRecCount();
int32_t RecNo();
uint16_t RecSize();
void ClearRecord();
bool SetIgnoreDel(bool skip_deleted);  // → previous value; refreshes the current record
bool IsWhileOn();

// The raw bytes of field `field` (0 = the deletion byte) of record `recno`, straight from the
// file (or the read cache), untranslated; empty when out of range.
std::string Peek(int field, int32_t recno);
// Writes `text` over field `field` of record `recno` in the file, untranslated.
void Poke(std::string_view text, int field, int32_t recno);

// Host routines for the current work area.
RecordMovedFn SetRecordMovedHook(RecordMovedFn hook);  // → previous hook
void SetFilterRoutine(HostTestFn routine, void* user);
void SetWhileRoutine(HostTestFn routine, void* user);

}  // namespace vornelle::engine
