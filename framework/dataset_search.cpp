// TDataSet: bookmarks, and the generic search that scans the records through the fields.

#include <cstring>

#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/messages.h"
#include "platform/codepage.h"

namespace vornelle::framework {

bool TDataSet::BookmarkAvailable() {
  return state_ == dsBrowse && record_count_ > 0 && GetBookmarkFlag(ActiveBuffer()) == bfCurrent;
}

TBookmark TDataSet::GetBookmark() {
  if (!BookmarkAvailable()) return {};
  TBookmark bookmark(static_cast<std::size_t>(bookmark_size_));
  GetBookmarkData(ActiveBuffer(), bookmark.data());
  return bookmark;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  if (bookmark.empty()) return;
  CheckBrowseMode();
  DoBeforeScroll();
  InternalGotoBookmark(bookmark.data());
  // Not exact: a bookmark whose record is gone leaves the dataset where the source put it.
  Resync(rmCenter);
  DoAfterScroll();
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) { return !bookmark.empty() && Active(); }

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? 1 : -1);
  if (a.size() == 4 && b.size() == 4) {
    // A bookmark of four bytes holds a record number: compared as a number, record 2 comes
    // before record 256, whose low byte is smaller.
    int32_t first = 0, second = 0;
    std::memcpy(&first, a.data(), 4);
    std::memcpy(&second, b.data(), 4);
    return first < second ? -1 : (first > second ? 1 : 0);
  }
  const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  if (order != 0) return order < 0 ? -1 : 1;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool TDataSet::FindRecord(bool restart, bool go_forward) {
  CheckBrowseMode();
  if (restart) {
    go_forward ? First() : Last();
    return !IsEmpty();
  }
  return MoveBy(go_forward ? 1 : -1) != 0;
}

std::vector<TField*> TDataSet::FieldList(const std::string& names) const {
  std::vector<TField*> out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t semicolon = names.find(';', from);
    std::string name = names.substr(from, semicolon == std::string::npos ? semicolon : semicolon - from);
    const auto first = name.find_first_not_of(' ');
    name = first == std::string::npos ? "" : name.substr(first, name.find_last_not_of(' ') - first + 1);
    if (!name.empty()) out.push_back(&FieldByName(name));
    if (semicolon == std::string::npos) break;
    from = semicolon + 1;
  }
  return out;
}

bool TDataSet::RecordMatches(const std::vector<TField*>& fields, const std::vector<Variant>& values,
                             TLocateOptions options) const {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const TField& field = *fields[i];
    const Variant& key = values[i];
    if (VarIsNull(key)) {
      if (!field.IsNull()) return false;
      continue;
    }
    if (field.IsNull()) return false;
    if (field.DataType() == ftString || field.DataType() == ftMemo) {
      std::string text = field.AsString();
      std::string wanted = VarToStr(key);
      if (options & loCaseInsensitive) {
        text = platform::AnsiUpper(text);
        wanted = platform::AnsiUpper(wanted);
      }
      if (options & loPartialKey ? text.compare(0, wanted.size(), wanted) != 0 : text != wanted)
        return false;
      continue;
    }
    if (field.Value() != key) {
      // Numbers of either kind compare by value.
      auto number = [](const Variant& v, double* out) {
        if (auto* i = std::get_if<int64_t>(&v)) return *out = static_cast<double>(*i), true;
        if (auto* d = std::get_if<double>(&v)) return *out = *d, true;
        if (auto* t = std::get_if<TDateValue>(&v)) return *out = t->value, true;
        return false;
      };
      double a = 0, b = 0;
      if (!number(field.Value(), &a) || !number(key, &b) || a != b) return false;
    }
  }
  return true;
}

// Reads the records from the first into the temp buffer, outside the window, the fields reading
// that buffer as they do in a calculation; stops at the first match, the cursor on it, and
// reads `results` from it.
bool TDataSet::ScanRecords(const std::vector<TField*>& keys, const std::vector<Variant>& values,
                           TLocateOptions options, const std::vector<TField*>& results,
                           std::vector<Variant>* result_values) {
  CursorPosChanged();
  InternalFirst();
  RecordAside aside(*this, temp_buffer_);
  bool found = false;
  while (!found && GetRecord(temp_buffer_, gmNext, true) == grOK)
    found = RecordMatches(keys, values, options);
  if (found && result_values)
    for (TField* field : results) result_values->push_back(field->Value());
  return found;
}

bool TDataSet::Locate(const std::string& key_fields, const std::vector<Variant>& key_values,
                      TLocateOptions options) {
  CheckBrowseMode();
  const std::vector<TField*> fields = FieldList(key_fields);
  if (fields.size() != key_values.size()) DatabaseError(msg::kKeyValueCount);
  // The window is left alone until a match is found: no scroll for every record passed, and
  // without a match nothing has moved.
  DoBeforeScroll();
  const bool found = ScanRecords(fields, key_values, options, {}, nullptr);
  if (found) {
    Resync(rmExact | rmCenter);
    DoAfterScroll();
  }
  return found;
}

std::vector<Variant> TDataSet::Lookup(const std::string& key_fields,
                                      const std::vector<Variant>& key_values,
                                      const std::string& result_fields) {
  CheckBrowseMode();
  const std::vector<TField*> fields = FieldList(key_fields);
  if (fields.size() != key_values.size()) DatabaseError(msg::kKeyValueCount);
  const std::vector<TField*> results = FieldList(result_fields);
  // Read aside: the window, the active record and the controls are not touched.
  std::vector<Variant> values;
  ScanRecords(fields, key_values, 0, results, &values);
  return values;
}

}  // namespace vornelle::framework
