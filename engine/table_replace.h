#pragma once
// Replacing a table and its memo file as one. Two renames cannot swap two files at once, so a
// replacement is committed before the first rename: a marker beside the table
// (".NAME.replacing") names the complete new files and the names they take. Whoever opens the
// table next and finds the marker finishes the renames first, so the engine reads the old pair
// or the new, never a table beside another table's memo file. New files that no marker names
// belong to a replacement that never committed: they are leftovers, not a table.

#include <string>

namespace vornelle::engine {

struct TableReplacement {
  std::string table;      // the table file replaced; its folder holds the marker
  std::string new_table;  // the complete new table, in that folder or one below it
  std::string new_memo;   // its memo file, or empty when it has none
  std::string memo;       // the name the new memo takes beside `table`
  // The caller holds `table` deny-all itself (a pack) and replaces it under that hold. Otherwise
  // a table another program holds deny-all is not replaced: it writes in the belief that no
  // one else does.
  bool held_here = false;
};

// Syncs the new files, commits the marker, renames the memo file and then the table, removes
// memo files of the table's name that the new table does not use (a dBASE IV .dbt after a
// switch to FoxPro's .fpt, which other programs would otherwise pair with it), then the
// marker. Replacements in one folder take turns. Reports and returns false on failure; a
// failure after the commit leaves the marker, and the next open finishes the replacement.
bool ReplaceTable(const TableReplacement& replacement);

// The marker of a replacement of `table_file`; there while one is committed and unfinished.
std::string ReplacementMarker(const std::string& table_file);

// Whether a replacement of `table_file` is committed and not finished: its marker is there.
bool ReplacementPending(const std::string& table_file);

// Finishes the committed replacement of `table_file` when its marker is there: each rename
// still to do (one already done is skipped), then the removals and the marker. Reports and
// returns false when it cannot.
bool CompleteReplacement(const std::string& table_file);

// The same for every table of `folder` that has a marker.
bool CompleteReplacementsIn(const std::string& folder);

}  // namespace vornelle::engine
