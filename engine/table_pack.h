#pragma once
// Packing a table: its records written anew without the deleted ones, and its memo file
// without the values no kept record points to, put in place of the old pair as one.

#include <cstdint>
#include <string>

namespace vornelle::engine {

struct PackResult {
  int32_t kept = 0;     // records written to the new table
  int32_t removed = 0;  // deleted records left out
};

// Packs the table `table`. The new pair is written in `scratch`, a folder in or below the
// table's own that the caller made and removes afterwards, and replaces the old pair
// (table_replace.h): readers see the old table or the new. The table is held deny-all from
// its first read to its replacement, so a program that has it open refuses the pack
// (kSharingViolation), and none can open it and write meanwhile. Every byte of the header and
// of each kept record is copied as stored; memo values are copied as stored too. Reports and
// returns false on failure, the old pair then unchanged.
bool PackTable(const std::string& table, const std::string& scratch, PackResult* result);

}  // namespace vornelle::engine
