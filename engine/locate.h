#pragma once
// Locate and Continue: a scan of one field's text, record by record, straight from the file;
// and the dataset's locate that turns a typed key into field text and skips records that do
// not pass the filter.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/locale.h"

namespace vornelle::engine {

// "FIELD [NOCASE] [EXACT] [CONTAINED]": sets the search options and returns the field number
// (0 after reporting when there is none).
int ParseLocateField(std::string_view text);
// The text the next Locate(1, ...) searches for.
void SetLocateText(std::string_view text);

// Scans records start..RecCount for the search text in `field`; goes to the first match, or to
// the end (EOF) when none matches.
void Locate(int32_t start, int field);
// Locate from the record after the current one, with the last Locate's field and text.
void Continue();

// A key value of the dataset's locate: text (C and M fields), a number (N and F), a date (D)
// or a logical (L). It is turned into the text the field stores.
using LocateKey = std::variant<std::string, double, platform::CalendarDate, bool>;

// Fields separated by ";", one key per field, tried in order until one is found. Records that
// do not pass (deleted test and filter) are skipped. Without `move`, or when nothing is found,
// the current record is kept.
bool DatasetLocate(std::string_view fields, const std::vector<LocateKey>& keys,
                   bool case_insensitive, bool exact, bool move);

}  // namespace vornelle::engine
