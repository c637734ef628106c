#pragma once
// TTzDataSet: the record callbacks over the record engine. The table lives in one engine work
// area; because every engine routine acts on the current work area, every operation selects
// its own first (SelectWorkArea).
//
// The engine's position always stands on a real record when the table has a visible one; the
// crack flags AtBegin and AtEnd keep the dataset's idea of standing before the first or after
// the last record apart from it.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dataset/field_props.h"
#include "dataset/prim_dataset.h"

namespace vornelle::dataset {

enum TTzTableLanguage { tlOem, tlAnsi };

class TTzDataSet : public TTzPrimDataset {
 public:
  TTzDataSet();
  ~TTzDataSet() override;

  // One field per line: name, type letter, width, decimals, separated by
  // commas; used when the table must be created.
  const std::vector<std::string>& DbfFields() const { return dbf_fields_; }
  void SetDbfFields(std::vector<std::string> lines) { dbf_fields_ = std::move(lines); }
  const std::string& DbfFileName() const { return dbf_file_name_; }
  // Closes the table, stores the trimmed name (the name as given when a file has it) with the
  // default extension, and reopens the table under the new name when it was open. An empty
  // name leaves the table closed.
  void SetDbfFileName(const std::string& name);
  TTzTableLanguage TableLanguage() const { return table_language_; }
  void SetTableLanguage(TTzTableLanguage language) { table_language_ = language; }
  bool HideDeletedRecs() const { return hide_deleted_recs_; }
  void SetHideDeletedRecs(bool on);

  // The engine work area of the open table; 0 when closed.
  int WorkArea() const { return work_area_; }
  bool AtBegin() const { return at_begin_; }
  bool AtEnd() const { return at_end_; }
  const TDbfFieldProps* FieldProps() const { return field_props_.get(); }
  const std::vector<uint16_t>& FieldOffsets() const { return field_offsets_; }

  // Goes to record `recno` when it exists (clearing both cracks); otherwise to the end crack.
  // Always 0.
  int16_t SafeGo(int32_t recno);
  // Makes the engine's work area of this table current and sets the engine's OEM switch. On a
  // closed table it reports "Database is not open" with code 1103, asks the application to
  // end, and abandons the operation (EAbort) should the report return.
  virtual void SelectWorkArea(std::string_view operation);
  // No visible record: the engine stands at both ends at once.
  bool s_IsEmptyDbf();
  // Makes the dataset show the engine's current record again after the engine moved on its
  // own (a new filter, deleted records hidden): pending changes are dropped; with no visible
  // record the dataset becomes empty.
  void RefreshPosition();

  // The record buffer conversions: engine typed buffer -> dataset buffer, and back for all
  // fields (field_no 0) or one.
  void ReadRecordToBuffer(TRecordBuffer buffer);
  void WriteBufferToRecord(TRecordBuffer buffer, int field_no = 0);

  // Recalls the current record, deleted while deleted records are shown, under its record
  // lock: the restore notifications around it, the lock-failure event or box as for Delete.
  void Restore();
  std::function<void(TTzDataSet& sender)> BeforeRestore, AfterRestore;

 protected:
  // --- The record callbacks over the engine ---
  std::string TziErrorText(int16_t code) override;
  bool TziIsEmpty() override { return s_IsEmptyDbf(); }
  int16_t TziSetToBegin() override;
  int16_t TziSetToEnd() override;
  int16_t TziOpen() override;
  int16_t TziClose() override;
  int32_t TziGetRecordCount() override;
  int16_t TziForceReread() override;
  int16_t TziAppendRecord(TRecordBuffer buffer) override;
  int16_t TziInsertRecord(TRecordBuffer buffer) override { return TziAppendRecord(buffer); }
  int16_t TziDeleteRecord() override;
  int16_t TziInitRecord() override;
  int16_t TziPostRecord(TRecordBuffer buffer) override;
  uint16_t TziGetRecordSize() override;
  int16_t TziGetRecord(TRecordBuffer buffer, int32_t* recno) override;
  int16_t TziGetNextRecord(TRecordBuffer buffer, int32_t* recno) override;
  int16_t TziGetPriorRecord(TRecordBuffer buffer, int32_t* recno) override;
  int16_t TziGetFieldData(TField& field, TRecordBuffer buffer, bool* blank, void* value) override;
  int16_t TziSetFieldData(TField& field, TRecordBuffer buffer, const void* value) override;
  int16_t TziGoToRecNo(int32_t recno) override { return SafeGo(recno); }
  bool TziLocateRecord(const std::string& key_fields, const std::vector<Variant>& key_values,
                       bool case_insensitive, bool move, bool exact) override;
  int16_t TziGoToBookmark(const void* bookmark) override;
  int16_t TziSetToBookmark(void* bookmark) override;
  int16_t TziCompareBookmarks(int32_t a, int32_t b, int* result) override;

  void InternalInitFieldDefs() override;
  void ResyncAfterChange() override;

  // --- Own operations, in slot order ---
  virtual void DoBeforeRestore() {
    if (BeforeRestore) BeforeRestore(*this);
  }
  virtual void DoAfterRestore() {
    if (AfterRestore) AfterRestore(*this);
  }
  // Makes the engine's typed record buffer show the active record: in insert state by writing
  // the active buffer into it, otherwise by positioning the cursor.
  virtual void SyncBuffer();
  // Memo fields could be presented as numbers (their block numbers); they never are.
  virtual bool MemoAsNumber() const { return false; }
  // Opens the table file `name` in the selected work area; true when it opened.
  virtual bool OpenDbfFile(const std::string& name) = 0;
  virtual void s_AppendWithLock() = 0;
  virtual void s_DeleteWithLock() = 0;
  virtual void s_RestoreWithLock() = 0;
  virtual void s_ReplaceWithLock() = 0;
  // The component works through the record engine.
  virtual bool WorksThroughEngine() const { return true; }

  // Puts the engine on the active record (see SyncBuffer) before an engine operation on the
  // current record outside the callbacks.
  void SyncCursor();
  // Selects the work area and clears the engine's last error: the start of a callback whose
  // result is the engine's error code (EngineResult) afterwards.
  void EnterEngine(std::string_view operation);
  static int16_t EngineResult();

  int work_area_ = 0;
  bool at_begin_ = false;
  bool at_end_ = false;
  std::unique_ptr<TDbfFieldProps> field_props_;

 private:
  std::vector<std::string> dbf_fields_;
  std::string dbf_file_name_;
  TTzTableLanguage table_language_ = tlOem;
  bool hide_deleted_recs_ = false;
};

}  // namespace vornelle::dataset
