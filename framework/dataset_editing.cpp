// TDataSet: editing, inserting, posting, cancelling and deleting records.

#include <algorithm>

#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/messages.h"

namespace vornelle::framework {

namespace {

bool IsEditing(TDataSetState state) { return state == dsEdit || state == dsInsert; }

}  // namespace

void TDataSet::CheckCanModify() {
  if (!CanModify()) DatabaseError(msg::kDataSetReadOnly);
}

void TDataSet::CheckFieldWrite(const TField& field) const {
  const TDataSetState s = state_;
  if (s != dsEdit && s != dsInsert && s != dsSetKey && s != dsCalcFields && s != dsFilter &&
      s != dsNewValue)
    DatabaseError(msg::kNotEditing);
  if (field.Calculated()) return;
  if (s == dsCalcFields) DatabaseError(msg::kNotEditing);
  if (field.ReadOnly() && s != dsSetKey && s != dsFilter)
    DatabaseErrorFmt(msg::kFieldReadOnly, field.DisplayName().c_str());
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey: SetState(dsBrowse); break;
    default: break;
  }
}

void TDataSet::UpdateRecord() {
  if (!IsEditing(state_) && state_ != dsSetKey) DatabaseError(msg::kNotEditing);
  DataEvent(deUpdateRecord);
}

void TDataSet::CheckOperation(const std::function<void()>& operation,
                              const TDataSetErrorEvent& error_event) {
  for (;;) {
    try {
      operation();
      return;
    } catch (const platform::EAbort&) {
      throw;
    } catch (const platform::Exception& error) {
      TDataAction action = daFail;
      if (error_event) error_event(*this, error, action);
      if (action == daFail) throw;
      if (action == daAbort) throw platform::EAbort();
    }
  }
}

void TDataSet::Edit() {
  if (IsEditing(state_)) return;
  if (record_count_ == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  Fire(BeforeEdit);
  CheckOperation(
      [this] {
        UpdateCursorPos();
        InternalEdit();
      },
      OnEditError);
  GetCalcFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange);
  Fire(AfterEdit);
}

void TDataSet::InitRecord(TRecordBuffer buffer) {
  InternalInitRecord(buffer);
  ClearCalcFields(buffer);
  SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  Fire(BeforeInsert);
  DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  try {
    DoOnNewRecord();
  } catch (...) {
    UpdateCursorPos();
    SetState(dsBrowse);
    Resync(0);
    throw;
  }
  modified_ = false;
  DataEvent(deDataSetChange);
  Fire(AfterInsert);
  DoAfterScroll();
}

void TDataSet::Insert() {
  BeginInsertAppend();
  // The record the new one goes before: where the cursor returns when the insert is cancelled.
  const TBookmark next = GetBookmark();
  if (record_count_ == 0) {
    ActivateBuffers();
  } else {
    // The new record takes the active row; the records below move down, the last one out of
    // a full window.
    std::rotate(buffers_.begin() + active_record_, buffers_.begin() + record_count_,
                buffers_.begin() + record_count_ + 1);
    if (record_count_ < buffer_count_) ++record_count_;
  }
  InitRecord(ActiveBuffer());
  if (next.empty())
    SetBookmarkFlag(ActiveBuffer(), bfBOF);
  else
    SetBookmarkData(ActiveBuffer(), next.data());
  CursorPosChanged();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  // The new record goes to the bottom row, after the last record, with the dataset's last
  // records above it.
  ClearBuffers();
  InitRecord(buffers_[0]);
  SetBookmarkFlag(buffers_[0], bfEOF);
  record_count_ = 1;
  bof_ = false;
  eof_ = false;
  GetPriorRecords();
  // The flag stays bfEOF: the cursor's place for the new record is after the last one.
  CursorPosChanged();
  EndInsertAppend();
}

void TDataSet::CheckRequiredFields() {
  for (const auto& field : fields_)
    if (field->Required() && !field->ReadOnly() && !field->Calculated() && field->IsNull())
      DatabaseErrorFmt(msg::kFieldRequired, field->DisplayName().c_str());
}

void TDataSet::Post() {
  UpdateRecord();
  if (!IsEditing(state_)) {
    if (state_ == dsSetKey) SetState(dsBrowse);
    return;
  }
  DataEvent(deCheckBrowseMode);
  Fire(BeforePost);
  CheckRequiredFields();
  CheckOperation(
      [this] {
        if (state_ == dsEdit) UpdateCursorPos();
        InternalPost();
      },
      OnPostError);
  SetState(dsBrowse);
  Resync(0);
  Fire(AfterPost);
}

void TDataSet::Cancel() {
  if (!IsEditing(state_)) {
    if (state_ == dsSetKey) SetState(dsBrowse);
    return;
  }
  DataEvent(deCheckBrowseMode);
  Fire(BeforeCancel);
  const bool was_inserting = state_ == dsInsert;
  if (was_inserting) DoBeforeScroll();
  // The cursor may have moved since (the window grew); Resync reads where it stands.
  UpdateCursorPos();
  InternalCancel();
  SetState(dsBrowse);
  Resync(0);
  Fire(AfterCancel);
  if (was_inserting) DoAfterScroll();
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) {
    Cancel();
    return;
  }
  if (record_count_ == 0) DatabaseError(msg::kDataSetEmpty);
  CheckCanModify();
  DataEvent(deCheckBrowseMode);
  Fire(BeforeDelete);
  DoBeforeScroll();
  CheckOperation(
      [this] {
        UpdateCursorPos();
        InternalDelete();
      },
      OnDeleteError);
  SetState(dsBrowse);
  Resync(0);
  Fire(AfterDelete);
  DoAfterScroll();
}

void TDataSet::AddRecord(const std::vector<Variant>& values, bool append) {
  if (append)
    Append();
  else
    Insert();
  try {
    for (std::size_t i = 0; i < values.size() && i < static_cast<std::size_t>(fields_.Count());
         ++i)
      if (!VarIsNull(values[i])) fields_[static_cast<int>(i)].SetValue(values[i]);
    Fire(BeforePost);
    CheckRequiredFields();
    CheckOperation([&] { InternalAddRecord(ActiveBuffer(), append); }, OnPostError);
  } catch (...) {
    Cancel();
    throw;
  }
  SetState(dsBrowse);
  Resync(0);
  Fire(AfterPost);
}

}  // namespace vornelle::framework
