#pragma once
// TDataSet: the generic dataset. It keeps a window of record buffers around the active record
// (as many as the linked controls ask for, at least one), the dataset state, the field objects
// and the links to controls, and drives a concrete dataset through the protected operations
// below: the concrete class fetches records into buffers, positions its cursor, stores and
// reads field values, and posts and deletes records.
//
// The window: buffers_[0 .. record_count_) hold consecutive records of the dataset, the
// active record is buffers_[active_record_], and the cursor of the concrete dataset stands on
// buffers_[current_record_] (-1: unknown, reposition before use). One spare buffer beyond the
// window receives each fetch before it is rotated into place.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/field.h"
#include "framework/field_defs.h"
#include "framework/types.h"
#include "platform/exception.h"
#include "platform/stream.h"

namespace vornelle::framework {

class TDataSource;

class TDataSet {
 public:
  using TDataSetNotifyEvent = std::function<void(TDataSet& dataset)>;
  using TDataSetErrorEvent =
      std::function<void(TDataSet& dataset, const platform::Exception& error, TDataAction& action)>;

  TDataSet();
  // A concrete dataset closes itself in its destructor (DestroyingClose): closing needs its
  // operations, which are gone by the time this destructor runs.
  virtual ~TDataSet();
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // --- Opening and closing ---
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool on);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  // While loading, setting Active is remembered and carried out by EndLoading.
  void BeginLoading() { loading_ = true; }
  void EndLoading();
  bool Loading() const { return loading_; }
  TDataSetState State() const { return state_; }

  // --- Fields ---
  TFieldDefs& FieldDefs() { return field_defs_; }
  TFields& Fields() { return fields_; }
  TField* FindField(std::string_view name) const { return fields_.Find(name); }
  // EDatabaseError "Field 'name' not found" when there is none.
  TField& FieldByName(std::string_view name) const;
  // The fields were made from the definitions at open (none were defined beforehand).
  bool DefaultFields() const { return default_fields_; }
  bool AutoCalcFields() const { return auto_calc_fields_; }
  void SetAutoCalcFields(bool on) { auto_calc_fields_ = on; }
  // Bytes the calculated fields take in a record buffer: a not-null byte and the value each.
  int CalcFieldsSize() const { return calc_fields_size_; }
  int BlobFieldCount() const { return blob_field_count_; }

  // --- Moving ---
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Moves `distance` records; returns how many it moved.
  int MoveBy(int distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const { return record_count_ == 0 && state_ != dsInsert; }
  // The active record's number, as the concrete dataset counts.
  int RecNo() { CheckActive(); return GetRecNo(); }
  void SetRecNo(int recno) { CheckActive(); DoSetRecNo(recno); }
  int RecordCount() { CheckActive(); return GetRecordCount(); }
  // Fills the window anew around the cursor's record (see TResyncMode).
  void Resync(unsigned mode);
  // Re-reads the records from the source.
  void Refresh();
  // Puts the concrete dataset's cursor on the active record.
  void UpdateCursorPos();
  // The cursor moved behind the window's back: reposition it before the next fetch.
  void CursorPosChanged() { current_record_ = -1; }
  bool FindFirst() { return FindRecord(true, true); }
  bool FindLast() { return FindRecord(true, false); }
  bool FindNext() { return FindRecord(false, true); }
  bool FindPrior() { return FindRecord(false, false); }

  // --- Changing ---
  void Edit();
  void Insert();
  void Append();
  virtual void Post();
  void Cancel();
  void Delete();
  // A new record with these values in field order (null leaves a field as it is), posted at
  // once: at the end, or at the active record.
  void AppendRecord(const std::vector<Variant>& values) { AddRecord(values, true); }
  void InsertRecord(const std::vector<Variant>& values) { AddRecord(values, false); }
  // Posts pending changes (or cancels when nothing changed) and returns to browse state.
  void CheckBrowseMode();
  // Asks the controls to write their pending edits into the fields.
  void UpdateRecord();
  bool Modified() const { return modified_; }
  bool CanModify() { return GetCanModify(); }
  // The checks before a field value is stored: the state allows writing, and the field is not
  // read-only. EDatabaseError "Dataset not in edit or insert mode" or "Field '%s' cannot be
  // modified".
  void CheckFieldWrite(const TField& field) const;

  // --- Bookmarks ---
  TBookmark GetBookmark();
  void GotoBookmark(const TBookmark& bookmark);
  virtual bool BookmarkValid(const TBookmark& bookmark);
  // -1, 0 or 1; a missing bookmark sorts after a present one. Bookmarks of four bytes are
  // record numbers and compare as numbers; others compare byte by byte.
  virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b);
  bool BookmarkAvailable();
  int BookmarkSize() const { return bookmark_size_; }

  // --- Searching and filtering ---
  // `key_fields` names one or more fields separated by ";", one key value each. The default
  // scans from the first record with the field values, outside the window; a match becomes the
  // active record (one BeforeScroll, one AfterScroll); without a match the dataset stays where
  // it was.
  virtual bool Locate(const std::string& key_fields, const std::vector<Variant>& key_values,
                      TLocateOptions options);
  // The values of `result_fields` (";"-separated) of the first record that matches; empty
  // when none does. The dataset does not move.
  virtual std::vector<Variant> Lookup(const std::string& key_fields,
                                      const std::vector<Variant>& key_values,
                                      const std::string& result_fields);
  // The filter text and filtered flag are kept for the concrete dataset: the framework itself
  // filters nothing.
  const std::string& Filter() const { return filter_text_; }
  void SetFilter(const std::string& text) { SetFilterText(text); }
  bool Filtered() const { return filtered_; }
  void SetFilteredFlag(bool on) { SetFiltered(on); }

  // --- Blobs and sequencing ---
  virtual std::unique_ptr<platform::TStream> CreateBlobStream(TField& field, TBlobStreamMode mode);
  // Record numbers count the visible records one by one.
  virtual bool IsSequenced() { return false; }

  // --- Controls ---
  void DisableControls() { ++disable_count_; }
  void EnableControls();
  bool ControlsDisabled() const { return disable_count_ > 0; }
  int BufferCount() const { return buffer_count_; }
  int ActiveRecord() const { return active_record_; }
  // Buffered records in the window.
  int WindowRecordCount() const { return record_count_; }

  // --- Field values (called by the field objects) ---
  // The native value of `field` in the record the state selects; false when it is null.
  virtual bool GetFieldData(TField& field, void* buffer) = 0;
  virtual void SetFieldData(TField& field, const void* buffer) = 0;
  // The record the fields show: the calculated-field buffer while calculating, else the
  // window's active record (null when the window is empty).
  TRecordBuffer ActiveBuffer() const {
    if (state_ == dsCalcFields) return calc_buffer_;
    return record_count_ > 0 || state_ == dsInsert ? buffers_[active_record_] : nullptr;
  }
  TRecordBuffer CalcBuffer() const { return calc_buffer_; }

  // --- Events ---
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnCalcFields, OnNewRecord;
  TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

 protected:
  // --- What a concrete dataset supplies ---
  virtual void OpenCursor() { InternalOpen(); }
  virtual void CloseCursor() { InternalClose(); }
  virtual bool IsCursorOpen() const = 0;
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual uint16_t GetRecordSize() = 0;
  virtual TRecordBuffer AllocRecordBuffer() = 0;
  virtual void FreeRecordBuffer(TRecordBuffer buffer) = 0;
  // Fetches the current, next or prior record into `buffer`. With `do_check` a failure other
  // than the two ends raises; without, it answers grError.
  virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool do_check) = 0;
  virtual void InternalFirst() = 0;  // the cursor before the first record
  virtual void InternalLast() = 0;   // the cursor after the last record
  virtual void InternalGotoBookmark(const void* bookmark) = 0;
  virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
  virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
  virtual void InternalAddRecord(TRecordBuffer buffer, bool append) = 0;
  virtual void InternalPost() = 0;
  virtual void InternalEdit() {}
  virtual void InternalCancel() {}
  virtual void InternalDelete() = 0;
  virtual void InternalRefresh() {}
  virtual void InternalHandleException() { platform::HandleCurrentException(); }
  virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) = 0;
  virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) = 0;
  virtual void GetBookmarkData(TRecordBuffer buffer, void* data) = 0;
  virtual void SetBookmarkData(TRecordBuffer buffer, const void* data) = 0;
  virtual int GetRecordCount() { return -1; }
  virtual int GetRecNo() { return -1; }
  virtual void DoSetRecNo(int /*recno*/) {}
  virtual bool GetCanModify() { return true; }
  // Copies the active record into `buffer`; false when there is none.
  virtual bool GetCurrentRecord(TRecordBuffer /*buffer*/) { return false; }
  // Moves to the first, last, next or prior record; true when it moved onto one.
  virtual bool FindRecord(bool restart, bool go_forward);
  virtual void ClearCalcFields(TRecordBuffer /*buffer*/) {}
  virtual void SetFilterText(const std::string& text) { filter_text_ = text; }
  virtual void SetFiltered(bool on) { filtered_ = on; }
  // The class of the default field object for a data type.
  virtual std::unique_ptr<TField> CreateFieldOfType(TFieldType data_type);
  // Runs OnNewRecord for a record just inserted or appended.
  virtual void DoOnNewRecord() {
    if (OnNewRecord) OnNewRecord(*this);
  }

  // --- Services for a concrete dataset ---
  // Closes the dataset from a concrete dataset's destructor: never throws; whatever closing
  // fails to do, the buffers are freed all the same.
  void DestroyingClose() noexcept;
  void SetState(TDataSetState state);
  // A state for a moment (no events): returns the one to restore.
  TDataSetState SetTempState(TDataSetState state);
  void RestoreState(TDataSetState state);
  void CheckActive() const;
  void CheckInactive() const;
  void SetBookmarkSize(int size) { bookmark_size_ = size; }
  void DataEvent(TDataEvent event, const void* info = nullptr) {
    // Every move tells the controls; without any, only a field change has work to do.
    if (event == deFieldChange || !sources_.empty() || disable_count_ > 0) DispatchEvent(event, info);
  }
  // Makes default field objects from the definitions.
  void CreateFields();
  void DestroyFields();
  // Ties fields to their definitions and lays out the calculated-field area.
  void BindFields(bool binding);
  // Computes the calculated fields of `buffer` when there are any.
  void GetCalcFields(TRecordBuffer buffer) {
    if (calc_field_count_ > 0) CalculateFields(buffer);
  }
  void CalculateFields(TRecordBuffer buffer);
  // The fields named in a ";"-separated list; EDatabaseError for a name that is not a field.
  std::vector<TField*> FieldList(const std::string& names) const;
  // A buffer outside the window for fetching a record aside (Lookup).
  TRecordBuffer TempBuffer() const { return temp_buffer_; }
  // While it lives, the fields read and write `buffer`, as they do while calculating: a record
  // computed or read aside from the window.
  class RecordAside {
   public:
    RecordAside(TDataSet& dataset, TRecordBuffer buffer)
        : dataset_(dataset), state_(dataset.SetTempState(dsCalcFields)), buffer_(dataset.calc_buffer_) {
      dataset.calc_buffer_ = buffer;
    }
    ~RecordAside() {
      dataset_.calc_buffer_ = buffer_;
      dataset_.RestoreState(state_);
    }
    RecordAside(const RecordAside&) = delete;
    RecordAside& operator=(const RecordAside&) = delete;

   private:
    TDataSet& dataset_;
    TDataSetState state_;
    TRecordBuffer buffer_;
  };
  // Empties the window.
  void ClearBuffers();
  // Runs `operation`, offering a failure to `error_event`, which may retry or abort it.
  void CheckOperation(const std::function<void()>& operation, const TDataSetErrorEvent& error_event);

  void DoBeforeScroll() { Fire(BeforeScroll); }
  void DoAfterScroll() { Fire(AfterScroll); }

 private:
  friend class TDataSource;
  friend class TDataLink;

  void Fire(const TDataSetNotifyEvent& event) {
    if (event) event(*this);
  }
  void DispatchEvent(TDataEvent event, const void* info);
  void OpenDataSet();
  void CloseDataSet();
  void AllocateBuffers(int count);
  void FreeBuffers();
  void SetCurrentRecord(int index);
  void ActivateBuffers();
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();
  void InitRecord(TRecordBuffer buffer);
  void AddRecord(const std::vector<Variant>& values, bool append);
  void BeginInsertAppend();
  void EndInsertAppend();
  void CheckCanModify();
  void CheckRequiredFields();
  // The buffer count the links ask for, at least 1.
  int WantedBufferCount() const;
  // Applies the wanted count to the open window.
  void UpdateBufferCount();
  void SetBufferCount(int count);
  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);
  bool RecordMatches(const std::vector<TField*>& fields, const std::vector<Variant>& values,
                     TLocateOptions options) const;
  bool ScanRecords(const std::vector<TField*>& keys, const std::vector<Variant>& values,
                   TLocateOptions options, const std::vector<TField*>& results,
                   std::vector<Variant>* result_values);

  std::string name_;
  TDataSetState state_ = dsInactive;
  bool loading_ = false;
  bool active_when_loaded_ = false;
  TFieldDefs field_defs_;
  TFields fields_{this};
  bool default_fields_ = false;
  bool auto_calc_fields_ = true;
  int calc_fields_size_ = 0;
  int calc_field_count_ = 0;
  int blob_field_count_ = 0;
  int bookmark_size_ = 0;

  std::vector<TRecordBuffer> buffers_;  // buffer_count_ + 1: the window and the spare
  TRecordBuffer temp_buffer_ = nullptr;
  TRecordBuffer calc_buffer_ = nullptr;
  int buffer_count_ = 0;
  int record_count_ = 0;
  int active_record_ = 0;
  int current_record_ = -1;
  int scrolled_ = 0;  // how far the records moved towards row 0 during one move
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;

  std::string filter_text_;
  bool filtered_ = false;

  std::vector<TDataSource*> sources_;
  int disable_count_ = 0;
  bool pending_change_ = false;
};

}  // namespace vornelle::framework
