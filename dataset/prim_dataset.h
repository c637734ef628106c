#pragma once
// TTzPrimDataset: the layer the generic framework sees. It lays out the record buffers, keeps
// bookmarks (physical record numbers), checks result codes, and answers every framework request
// with the record callbacks (Tzi...), which it declares and its descendant implements over the
// record engine.
//
// Result codes: 0 success, 1401 the open failed without an engine code, 1402 before the first
// record, 1403 after the last, 1404 no file name; any other value is an engine error code.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/dataset.h"

namespace vornelle::dataset {

using framework::TField;
using framework::TRecordBuffer;
using framework::Variant;

inline constexpr int16_t kOpenFailed = 1401;
inline constexpr int16_t kBeforeFirst = 1402;
inline constexpr int16_t kAfterLast = 1403;
inline constexpr int16_t kNoFileName = 1404;

class TTzPrimDataset : public framework::TDataSet {
 public:
  void Post() override;
  bool BookmarkValid(const framework::TBookmark& bookmark) override;
  int CompareBookmarks(const framework::TBookmark& a, const framework::TBookmark& b) override;
  bool GetFieldData(TField& field, void* buffer) override;
  void SetFieldData(TField& field, const void* buffer) override;

  // Raises for a failed code: "Dataset error: " and the code or its text, or "Missing
  // DbfFilename property".
  void CheckResult(int16_t code);

  // Size of the data part of a record buffer: the deletion flag and the field values.
  uint16_t RecordDataSize() const { return record_data_size_; }

 protected:
  // --- The record callbacks, in their slot order ---
  virtual std::string TziErrorText(int16_t code);
  virtual bool TziIsEmpty() = 0;
  virtual int16_t TziSetToBegin() = 0;
  virtual int16_t TziSetToEnd() = 0;
  virtual int16_t TziOpen() = 0;
  virtual int16_t TziClose() = 0;
  virtual int32_t TziGetRecordCount() = 0;
  virtual int16_t TziForceReread() = 0;
  virtual int16_t TziAppendRecord(TRecordBuffer buffer) = 0;
  virtual int16_t TziInsertRecord(TRecordBuffer buffer) = 0;
  virtual int16_t TziDeleteRecord() = 0;
  virtual int16_t TziInitRecord() = 0;
  virtual int16_t TziPostRecord(TRecordBuffer buffer) = 0;
  virtual uint16_t TziGetRecordSize() = 0;
  virtual int TziCapability() { return 2; }
  virtual int16_t TziGetRecord(TRecordBuffer buffer, int32_t* recno) = 0;
  virtual int16_t TziGetNextRecord(TRecordBuffer buffer, int32_t* recno) = 0;
  virtual int16_t TziGetPriorRecord(TRecordBuffer buffer, int32_t* recno) = 0;
  virtual int16_t TziGetFieldData(TField& field, TRecordBuffer buffer, bool* blank, void* value) = 0;
  virtual int16_t TziSetFieldData(TField& field, TRecordBuffer buffer, const void* value) = 0;
  virtual int16_t TziGoToRecNo(int32_t recno) = 0;
  virtual bool TziLocateRecord(const std::string& key_fields, const std::vector<Variant>& key_values,
                               bool case_insensitive, bool move, bool exact) = 0;
  virtual int TziGetBookmarkSize() { return 4; }
  virtual int16_t TziGoToBookmark(const void* bookmark) = 0;
  virtual int16_t TziSetToBookmark(void* bookmark) = 0;
  virtual int16_t TziCompareBookmarks(int32_t a, int32_t b, int* result) = 0;

  // --- Framework requests answered with the callbacks ---
  void OpenCursor() override;
  void CloseCursor() override;
  bool IsCursorOpen() const override { return cursor_open_; }
  void InternalOpen() override;
  void InternalClose() override;
  uint16_t GetRecordSize() override { return record_data_size_; }
  TRecordBuffer AllocRecordBuffer() override;
  void FreeRecordBuffer(TRecordBuffer buffer) override;
  framework::TGetResult GetRecord(TRecordBuffer buffer, framework::TGetMode mode,
                                  bool do_check) override;
  void InternalFirst() override { CheckResult(TziSetToBegin()); }
  void InternalLast() override { CheckResult(TziSetToEnd()); }
  void InternalGotoBookmark(const void* bookmark) override { CheckResult(TziGoToBookmark(bookmark)); }
  void InternalSetToRecord(TRecordBuffer buffer) override;
  void InternalInitRecord(TRecordBuffer buffer) override;
  void InternalAddRecord(TRecordBuffer buffer, bool append) override;
  void InternalPost() override;
  void InternalEdit() override;
  void InternalCancel() override;
  void InternalDelete() override { CheckResult(TziDeleteRecord()); }
  void InternalRefresh() override { CheckResult(TziForceReread()); }
  framework::TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
  void SetBookmarkFlag(TRecordBuffer buffer, framework::TBookmarkFlag flag) override;
  void GetBookmarkData(TRecordBuffer buffer, void* data) override;
  void SetBookmarkData(TRecordBuffer buffer, const void* data) override;
  int GetRecordCount() override { return TziGetRecordCount(); }
  int GetRecNo() override;
  void DoSetRecNo(int recno) override;
  bool GetCurrentRecord(TRecordBuffer buffer) override;
  bool FindRecord(bool restart, bool go_forward) override;
  void ClearCalcFields(TRecordBuffer buffer) override;
  std::unique_ptr<TField> CreateFieldOfType(framework::TFieldType data_type) override;

  // Resynchronises the window after a change that may have left no visible record: with none,
  // both cracks are set first so that the window empties instead of showing the blank record.
  virtual void ResyncAfterChange() = 0;

  // Zero-fills a whole record buffer.
  void ZeroBuffer(TRecordBuffer buffer) const;
  // The record number a buffer holds.
  int32_t BufferRecNo(TRecordBuffer buffer) const;
  // The value slot of a data field in a record buffer; null for a field without one.
  char* FieldSlot(TRecordBuffer buffer, const TField& field) const {
    const auto number = static_cast<std::size_t>(field.FieldNo());
    if (number < 1 || number > slot_by_field_no_.size()) return nullptr;
    const int slot = slot_by_field_no_[number - 1];
    return slot < 0 ? nullptr : buffer + slot;
  }

  // Set by the field definitions: the data part's size and the slot of every field of the
  // table by its 1-based number (-1: no slot).
  uint16_t record_data_size_ = 0;
  std::vector<uint16_t> field_offsets_;
  std::vector<int> slot_by_field_no_;

 private:
  // The buffer a field value is read from or written to in the current state.
  TRecordBuffer StateBuffer();
  void ComputeLayout();

  bool cursor_open_ = false;
  // The parts after the data: calculated fields, blob cache, record number, bookmark flag,
  // bookmark.
  int calc_offset_ = 0;
  int recno_offset_ = 0;
  int flag_offset_ = 0;
  int bookmark_offset_ = 0;
  int buffer_size_ = 0;
};

}  // namespace vornelle::dataset
