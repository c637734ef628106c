#include "dataset/prim_dataset.h"

#include <cstring>

#include "dataset/fields.h"
#include "dataset/messages.h"

namespace vornelle::dataset {

using namespace framework;

std::string TTzPrimDataset::TziErrorText(int16_t code) { return std::to_string(code); }

void TTzPrimDataset::CheckResult(int16_t code) {
  if (code == 0) return;
  if (code == kNoFileName) throw platform::Exception(msg::kMissingFileName);
  if (code == kOpenFailed || code == kBeforeFirst || code == kAfterLast)
    throw platform::Exception(msg::kDatasetError + std::to_string(code));
  throw platform::Exception(msg::kDatasetError + TziErrorText(code));
}

// --- Opening and closing ---

void TTzPrimDataset::OpenCursor() {
  CheckResult(TziOpen());
  cursor_open_ = true;
  TDataSet::OpenCursor();
}

void TTzPrimDataset::CloseCursor() {
  try {
    TDataSet::CloseCursor();
  } catch (...) {
    TziClose();
    cursor_open_ = false;
    throw;
  }
  TziClose();
  cursor_open_ = false;
}

void TTzPrimDataset::InternalOpen() {
  record_data_size_ = TziGetRecordSize();
  SetBookmarkSize(TziGetBookmarkSize());
  InternalInitFieldDefs();
  if (Fields().Count() == 0) CreateFields();
  BindFields(true);
  ComputeLayout();
  CheckResult(TziSetToBegin());
}

void TTzPrimDataset::InternalClose() {
  BindFields(false);
  if (DefaultFields()) DestroyFields();
}

void TTzPrimDataset::ComputeLayout() {
  calc_offset_ = record_data_size_;
  const int blob_cache = calc_offset_ + CalcFieldsSize();
  recno_offset_ = blob_cache + 4 * BlobFieldCount();
  flag_offset_ = recno_offset_ + 4;
  bookmark_offset_ = flag_offset_ + 1;
  buffer_size_ = bookmark_offset_ + 4;
}

TRecordBuffer TTzPrimDataset::AllocRecordBuffer() {
  auto* buffer = new char[static_cast<std::size_t>(buffer_size_)];
  std::memset(buffer, 0, static_cast<std::size_t>(buffer_size_));
  return buffer;
}

void TTzPrimDataset::FreeRecordBuffer(TRecordBuffer buffer) { delete[] buffer; }

// --- Records ---

TGetResult TTzPrimDataset::GetRecord(TRecordBuffer buffer, TGetMode mode, bool do_check) {
  int32_t recno = 0;
  int16_t code = 0;
  switch (mode) {
    case gmCurrent: code = TziGetRecord(buffer, &recno); break;
    case gmNext: code = TziGetNextRecord(buffer, &recno); break;
    case gmPrior: code = TziGetPriorRecord(buffer, &recno); break;
  }
  if (code == 0) {
    SetBookmarkFlag(buffer, bfCurrent);
    std::memcpy(buffer + recno_offset_, &recno, 4);
    GetCalcFields(buffer);
    // The bookmark is the record number the callback just gave (what TziSetToBookmark would
    // ask the engine for again).
    std::memcpy(buffer + bookmark_offset_, &recno, 4);
    return grOK;
  }
  if (code == kBeforeFirst) return grBOF;
  if (code == kAfterLast) return grEOF;
  if (do_check) CheckResult(code);
  return grError;
}

void TTzPrimDataset::InternalSetToRecord(TRecordBuffer buffer) {
  CheckResult(TziGoToBookmark(buffer + bookmark_offset_));
}

void TTzPrimDataset::InternalInitRecord(TRecordBuffer buffer) {
  ZeroBuffer(buffer);
  CheckResult(TziInitRecord());
}

void TTzPrimDataset::InternalAddRecord(TRecordBuffer buffer, bool append) {
  CheckResult(append ? TziAppendRecord(buffer) : TziInsertRecord(buffer));
}

void TTzPrimDataset::InternalPost() {
  if (State() == dsEdit)
    CheckResult(TziPostRecord(ActiveBuffer()));
  else
    CheckResult(TziInsertRecord(ActiveBuffer()));
}

void TTzPrimDataset::InternalEdit() {
  int32_t recno = 0;
  CheckResult(TziGetRecord(ActiveBuffer(), &recno));
}

void TTzPrimDataset::InternalCancel() {
  if (TRecordBuffer buffer = ActiveBuffer()) ZeroBuffer(buffer);
}

void TTzPrimDataset::ZeroBuffer(TRecordBuffer buffer) const {
  std::memset(buffer, 0, static_cast<std::size_t>(buffer_size_));
}

void TTzPrimDataset::Post() {
  const TDataSetState state = State();
  if (state != dsEdit && state != dsInsert && state != dsSetKey) return;
  TDataSet::Post();
  ResyncAfterChange();
}

// --- Bookmarks and record numbers ---

TBookmarkFlag TTzPrimDataset::GetBookmarkFlag(TRecordBuffer buffer) {
  return static_cast<TBookmarkFlag>(buffer[flag_offset_]);
}

void TTzPrimDataset::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) {
  buffer[flag_offset_] = static_cast<char>(flag);
}

void TTzPrimDataset::GetBookmarkData(TRecordBuffer buffer, void* data) {
  std::memcpy(data, buffer + bookmark_offset_, 4);
}

void TTzPrimDataset::SetBookmarkData(TRecordBuffer buffer, const void* data) {
  std::memcpy(buffer + bookmark_offset_, data, 4);
}

int32_t TTzPrimDataset::BufferRecNo(TRecordBuffer buffer) const {
  int32_t recno = 0;
  std::memcpy(&recno, buffer + recno_offset_, 4);
  return recno;
}

bool TTzPrimDataset::BookmarkValid(const TBookmark& bookmark) {
  if (!cursor_open_ || bookmark.size() < 4) return false;
  CursorPosChanged();
  int32_t recno = 0;
  return TziGoToBookmark(bookmark.data()) == 0 && TziGetRecord(nullptr, &recno) == 0;
}

int TTzPrimDataset::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? 1 : -1);
  if (!cursor_open_) return 0;
  int32_t first = 0, second = 0;
  std::memcpy(&first, a.data(), 4);
  std::memcpy(&second, b.data(), 4);
  int result = 0;
  TziCompareBookmarks(first, second, &result);
  return result;
}

int TTzPrimDataset::GetRecNo() {
  TRecordBuffer buffer = State() == dsCalcFields ? CalcBuffer() : ActiveBuffer();
  return buffer ? BufferRecNo(buffer) : 0;
}

void TTzPrimDataset::DoSetRecNo(int recno) {
  CheckBrowseMode();
  if (recno == GetRecNo()) return;
  DoBeforeScroll();
  CheckResult(TziGoToRecNo(recno));
  Resync(rmCenter);
  DoAfterScroll();
}

bool TTzPrimDataset::GetCurrentRecord(TRecordBuffer buffer) {
  if (IsEmpty() || GetBookmarkFlag(ActiveBuffer()) != bfCurrent) return false;
  UpdateCursorPos();
  int32_t recno = 0;
  return TziGetRecord(buffer, &recno) == 0;
}

bool TTzPrimDataset::FindRecord(bool restart, bool go_forward) {
  CheckBrowseMode();
  DoBeforeScroll();
  bool found = false;
  UpdateCursorPos();
  if (restart) CheckResult(go_forward ? TziSetToBegin() : TziSetToEnd());
  int32_t recno = 0;
  if ((go_forward ? TziGetNextRecord(nullptr, &recno) : TziGetPriorRecord(nullptr, &recno)) == 0) {
    Resync(rmExact | rmCenter);
    found = true;
  } else {
    // The search stopped at a crack past an end: the dataset stays on its record, and the
    // cursor is put back there before it is used again.
    CursorPosChanged();
  }
  if (found) DoAfterScroll();
  return found;
}

// --- Field values ---

TRecordBuffer TTzPrimDataset::StateBuffer() {
  switch (State()) {
    // The window is emptied whenever the table shows no record (a filter, hidden deleted
    // records, a change), so an empty window is the test, not a question to the engine for
    // every value read.
    case dsBrowse: return ActiveBuffer();
    case dsEdit:
    case dsInsert: return ActiveBuffer();
    case dsCalcFields: return CalcBuffer();
    default: return nullptr;
  }
}

bool TTzPrimDataset::GetFieldData(TField& field, void* buffer) {
  TRecordBuffer record = StateBuffer();
  if (!record) return false;
  if (field.Calculated()) {
    const char* slot = record + calc_offset_ + field.Offset();
    if (slot[0] == 0) return false;
    if (buffer) std::memcpy(buffer, slot + 1, static_cast<std::size_t>(field.DataSize()));
    return true;
  }
  bool blank = false;
  CheckResult(TziGetFieldData(field, record, &blank, buffer));
  return !blank;
}

void TTzPrimDataset::SetFieldData(TField& field, const void* buffer) {
  CheckFieldWrite(field);
  TRecordBuffer record = StateBuffer();
  if (field.Calculated()) {
    if (record) {
      char* slot = record + calc_offset_ + field.Offset();
      const auto size = static_cast<std::size_t>(field.DataSize());
      slot[0] = buffer ? 1 : 0;
      if (buffer)
        std::memcpy(slot + 1, buffer, size);
      else
        std::memset(slot + 1, 0, size);
    }
  } else {
    field.Validate(buffer);
    if (record) CheckResult(TziSetFieldData(field, record, buffer));
  }
  const TDataSetState state = State();
  if (state != dsCalcFields && state != dsFilter && state != dsNewValue)
    DataEvent(deFieldChange, &field);
}

void TTzPrimDataset::ClearCalcFields(TRecordBuffer buffer) {
  std::memset(buffer + calc_offset_, 0, static_cast<std::size_t>(CalcFieldsSize()));
}

std::unique_ptr<TField> TTzPrimDataset::CreateFieldOfType(TFieldType data_type) {
  switch (data_type) {
    case ftInteger: return std::make_unique<TTzIntegerField>();
    case ftFloat: return std::make_unique<TTzFloatField>();
    case ftDate: return std::make_unique<TTzDateField>();
    default: return TDataSet::CreateFieldOfType(data_type);
  }
}

}  // namespace vornelle::dataset
