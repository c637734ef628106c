#pragma once
// TMemoryDataSet: a dataset over rows kept in memory, the smallest concrete dataset there is.
// The framework's tests drive the framework through it; it records the calls the framework
// makes of it, and can be told to fail a post.
//
// Record buffer: per field a not-null byte and the field's native value, then the calculated
// fields, the record number (int32), the bookmark flag and the bookmark (the record number).
// Blob fields hold an index into the dataset's blob texts. New records go to the end.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/field_types.h"

namespace vornelle::testing {

using namespace framework;

class TMemoryDataSet : public TDataSet {
 public:
  struct Column {
    std::string name;
    TFieldType type;
    int size = 0;
    bool required = false;
  };

  explicit TMemoryDataSet(std::vector<Column> columns) : columns_(std::move(columns)) {
    for (const Column& c : columns_) {
      offsets_.push_back(data_size_);
      data_size_ += 1 + NativeSize(c);
    }
  }
  ~TMemoryDataSet() override { DestroyingClose(); }

  // Adds a row of values in column order (fewer values leave the rest null).
  void AddRow(const std::vector<Variant>& values) {
    std::vector<char> row(static_cast<std::size_t>(data_size_), 0);
    for (std::size_t i = 0; i < values.size() && i < columns_.size(); ++i)
      Store(row.data() + offsets_[i], columns_[i], values[i]);
    rows_.push_back(std::move(row));
  }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // A stored value: what the source holds, whatever the dataset shows.
  Variant Stored(int row, int column) const {
    const char* slot = rows_.at(static_cast<std::size_t>(row)).data() + offsets_[static_cast<std::size_t>(column)];
    const Column& c = columns_[static_cast<std::size_t>(column)];
    if (!slot[0]) return {};
    const char* v = slot + 1;
    switch (c.type) {
      case ftString: return std::string(v, strnlen(v, static_cast<std::size_t>(c.size)));
      case ftInteger: { int32_t i; std::memcpy(&i, v, 4); return static_cast<int64_t>(i); }
      case ftFloat: { double d; std::memcpy(&d, v, 8); return d; }
      case ftDate: { int32_t s; std::memcpy(&s, v, 4); return TDateValue{platform::DateStampToDateTime(s)}; }
      case ftBoolean: { int16_t b; std::memcpy(&b, v, 2); return b != 0; }
      case ftMemo: { int32_t i; std::memcpy(&i, v, 4); return blobs_[static_cast<std::size_t>(i)]; }
      default: return {};
    }
  }

  bool read_only = false;
  int fail_posts = 0;    // the next this many posts raise EDatabaseError "post failed"
  int fail_deletes = 0;  // the next this many deletes raise EDatabaseError "delete failed"
  std::vector<std::string> calls;

  // Opens up a few protected services for the tests.
  using TDataSet::CalcBuffer;
  using TDataSet::SetState;
  using TDataSet::SetTempState;
  using TDataSet::RestoreState;

 protected:
  bool IsCursorOpen() const override { return open_; }
  void InternalOpen() override {
    calls.push_back("open");
    open_ = true;
    InternalInitFieldDefs();
    if (Fields().Count() == 0) CreateFields();
    BindFields(true);
    SetBookmarkSize(4);
    calc_offset_ = data_size_;
    recno_offset_ = calc_offset_ + CalcFieldsSize();
    buffer_size_ = recno_offset_ + 4 + 1 + 4;
    current_ = -1;
  }
  void InternalClose() override {
    calls.push_back("close");
    BindFields(false);
    if (DefaultFields()) DestroyFields();
    open_ = false;
  }
  void InternalInitFieldDefs() override {
    FieldDefs().Clear();
    for (std::size_t i = 0; i < columns_.size(); ++i)
      FieldDefs().Add(columns_[i].name, columns_[i].type, columns_[i].type == ftString ? columns_[i].size : 0,
                      columns_[i].required, static_cast<int>(i) + 1);
  }
  uint16_t GetRecordSize() override { return static_cast<uint16_t>(data_size_); }
  TRecordBuffer AllocRecordBuffer() override { return new char[static_cast<std::size_t>(buffer_size_)](); }
  void FreeRecordBuffer(TRecordBuffer buffer) override { delete[] buffer; }

  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool) override {
    const int n = RowCount();
    switch (mode) {
      case gmCurrent:
        if (current_ < 0) return grBOF;
        if (current_ >= n) return grEOF;
        break;
      case gmNext:
        if (current_ >= n - 1) {
          current_ = n;
          return grEOF;
        }
        ++current_;
        break;
      case gmPrior:
        if (current_ <= 0) {
          current_ = -1;
          return grBOF;
        }
        --current_;
        break;
    }
    std::memcpy(buffer, rows_[static_cast<std::size_t>(current_)].data(), static_cast<std::size_t>(data_size_));
    const int32_t recno = current_ + 1;
    std::memcpy(buffer + recno_offset_, &recno, 4);
    SetBookmarkFlag(buffer, bfCurrent);
    std::memcpy(buffer + recno_offset_ + 5, &recno, 4);
    GetCalcFields(buffer);
    return grOK;
  }
  void InternalFirst() override { current_ = -1; }
  void InternalLast() override { current_ = RowCount(); }
  void InternalGotoBookmark(const void* bookmark) override {
    int32_t recno;
    std::memcpy(&recno, bookmark, 4);
    current_ = recno >= 1 && recno <= RowCount() ? recno - 1 : RowCount();
  }
  void InternalSetToRecord(TRecordBuffer buffer) override {
    calls.push_back("position");
    InternalGotoBookmark(buffer + recno_offset_ + 5);
  }
  void InternalInitRecord(TRecordBuffer buffer) override {
    std::memset(buffer, 0, static_cast<std::size_t>(buffer_size_));
  }
  void InternalAddRecord(TRecordBuffer buffer, bool append) override {
    calls.push_back(append ? "add-append" : "add-insert");
    AddFromBuffer(buffer);
  }
  void InternalPost() override {
    if (fail_posts > 0) {
      --fail_posts;
      DatabaseError("post failed");
    }
    calls.push_back(State() == dsEdit ? "post-edit" : "post-insert");
    if (State() == dsEdit)
      std::memcpy(rows_[static_cast<std::size_t>(current_)].data(), ActiveBuffer(), static_cast<std::size_t>(data_size_));
    else
      AddFromBuffer(ActiveBuffer());
  }
  void InternalEdit() override { calls.push_back("edit"); }
  void InternalCancel() override { calls.push_back("cancel"); }
  void InternalDelete() override {
    if (fail_deletes > 0) {
      --fail_deletes;
      DatabaseError("delete failed");
    }
    calls.push_back("delete");
    rows_.erase(rows_.begin() + current_);
  }
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override {
    return static_cast<TBookmarkFlag>(buffer[recno_offset_ + 4]);
  }
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override {
    buffer[recno_offset_ + 4] = static_cast<char>(flag);
  }
  void GetBookmarkData(TRecordBuffer buffer, void* data) override {
    std::memcpy(data, buffer + recno_offset_ + 5, 4);
  }
  void SetBookmarkData(TRecordBuffer buffer, const void* data) override {
    std::memcpy(buffer + recno_offset_ + 5, data, 4);
  }
  int GetRecordCount() override { return RowCount(); }
  int GetRecNo() override {
    TRecordBuffer buffer = ActiveBuffer();
    int32_t recno = 0;
    if (buffer) std::memcpy(&recno, buffer + recno_offset_, 4);
    return recno;
  }
  void DoSetRecNo(int recno) override {
    CheckBrowseMode();
    DoBeforeScroll();
    current_ = recno >= 1 && recno <= RowCount() ? recno - 1 : RowCount();
    Resync(rmCenter);
    DoAfterScroll();
  }
  bool GetCanModify() override { return !read_only; }
  void ClearCalcFields(TRecordBuffer buffer) override {
    std::memset(buffer + calc_offset_, 0, static_cast<std::size_t>(CalcFieldsSize()));
  }

 public:
  bool GetFieldData(TField& field, void* buffer) override {
    TRecordBuffer record = ActiveBuffer();
    if (!record) return false;
    const char* slot = field.Calculated() ? record + calc_offset_ + field.Offset()
                                          : record + offsets_[static_cast<std::size_t>(field.FieldNo() - 1)];
    if (!slot[0]) return false;
    if (buffer) std::memcpy(buffer, slot + 1, static_cast<std::size_t>(field.DataSize()));
    return true;
  }
  void SetFieldData(TField& field, const void* buffer) override {
    CheckFieldWrite(field);
    if (!field.Calculated()) field.Validate(buffer);
    TRecordBuffer record = ActiveBuffer();
    char* slot = field.Calculated() ? record + calc_offset_ + field.Offset()
                                    : record + offsets_[static_cast<std::size_t>(field.FieldNo() - 1)];
    const auto size = static_cast<std::size_t>(field.DataSize());
    slot[0] = buffer != nullptr;
    if (buffer)
      std::memcpy(slot + 1, buffer, size);
    else
      std::memset(slot + 1, 0, size);
    if (State() != dsCalcFields) DataEvent(deFieldChange, &field);
  }
  std::unique_ptr<platform::TStream> CreateBlobStream(TField& field, TBlobStreamMode mode) override;

 private:
  class BlobStream;

  static int NativeSize(const Column& c) {
    switch (c.type) {
      case ftString: return c.size + 1;
      case ftFloat: return 8;
      case ftBoolean: return 2;
      default: return 4;
    }
  }
  void Store(char* slot, const Column& c, const Variant& value) {
    if (VarIsNull(value)) return;
    slot[0] = 1;
    char* v = slot + 1;
    if (auto* s = std::get_if<std::string>(&value)) {
      if (c.type == ftMemo) {
        const auto index = static_cast<int32_t>(blobs_.size());
        blobs_.push_back(*s);
        std::memcpy(v, &index, 4);
      } else {
        std::memcpy(v, s->data(), std::min<std::size_t>(s->size(), static_cast<std::size_t>(c.size)));
      }
    } else if (auto* i = std::get_if<int64_t>(&value)) {
      const auto i32 = static_cast<int32_t>(*i);
      std::memcpy(v, &i32, 4);
    } else if (auto* d = std::get_if<double>(&value)) {
      std::memcpy(v, d, 8);
    } else if (auto* b = std::get_if<bool>(&value)) {
      const int16_t flag = *b ? 1 : 0;
      std::memcpy(v, &flag, 2);
    } else if (auto* t = std::get_if<TDateValue>(&value)) {
      const int32_t stamp = platform::DateTimeToDateStamp(t->value);
      std::memcpy(v, &stamp, 4);
    }
  }
  void AddFromBuffer(TRecordBuffer buffer) {
    rows_.emplace_back(buffer, buffer + data_size_);
    current_ = RowCount() - 1;
  }

  std::vector<Column> columns_;
  std::vector<int> offsets_;
  int data_size_ = 0;
  int calc_offset_ = 0;
  int recno_offset_ = 0;
  int buffer_size_ = 0;
  std::vector<std::vector<char>> rows_;
  std::vector<std::string> blobs_;
  int current_ = -1;  // -1 before the first row, RowCount() after the last
  bool open_ = false;
};

// A stream over one blob text of the dataset; a written value becomes a new text that the
// active record refers to once the stream ends.
class TMemoryDataSet::BlobStream : public platform::TStringStream {
 public:
  BlobStream(TMemoryDataSet& dataset, TField& field, TBlobStreamMode mode)
      : dataset_(dataset), field_(field), mode_(mode) {
    if (mode == bmRead) {
      int32_t index = 0;
      if (field.GetData(&index)) text_ = dataset.blobs_[static_cast<std::size_t>(index)];
    }
  }
  ~BlobStream() override {
    if (mode_ == bmRead) return;
    const auto index = static_cast<int32_t>(dataset_.blobs_.size());
    dataset_.blobs_.push_back(text_);
    try {
      field_.SetData(&index);
    } catch (...) {
      // A destructor must not throw: the refusal goes where the application's errors go.
      platform::HandleCurrentException();
    }
  }

 private:
  TMemoryDataSet& dataset_;
  TField& field_;
  TBlobStreamMode mode_;
};

inline std::unique_ptr<platform::TStream> TMemoryDataSet::CreateBlobStream(TField& field,
                                                                         TBlobStreamMode mode) {
  return std::make_unique<BlobStream>(*this, field, mode);
}

}  // namespace vornelle::testing
