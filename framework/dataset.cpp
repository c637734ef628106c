// TDataSet: opening and closing, state, fields and the events to the linked controls.

#include "framework/dataset.h"

#include "framework/data_link.h"
#include "framework/errors.h"
#include "framework/field_types.h"
#include "framework/messages.h"

namespace vornelle::framework {

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
  // The concrete dataset has closed itself; what is left are links and field objects. Links
  // that did not hear of the closing (controls disabled) must not stay active on no dataset.
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) {
    source->dataset_ = nullptr;
    try {
      source->DataEvent(deUpdateState, nullptr);
    } catch (...) {
      platform::HandleCurrentException();
    }
  }
}

void TDataSet::DestroyingClose() noexcept {
  // Closing while loading would only be remembered for later.
  loading_ = false;
  try {
    Close();
  } catch (...) {
    // The source has reported its failure; the dataset ends closed all the same.
  }
  state_ = dsInactive;
  FreeBuffers();
}

void TDataSet::SetActive(bool on) {
  if (loading_) {
    active_when_loaded_ = on;
    return;
  }
  if (on == Active()) return;
  if (on)
    OpenDataSet();
  else
    CloseDataSet();
}

void TDataSet::EndLoading() {
  loading_ = false;
  if (active_when_loaded_) SetActive(true);
}

void TDataSet::OpenDataSet() {
  Fire(BeforeOpen);
  try {
    OpenCursor();
    AllocateBuffers(WantedBufferCount());
    // The concrete dataset left its cursor before the first record.
    ClearBuffers();
    GetNextRecords();
    bof_ = true;
  } catch (...) {
    try {
      if (IsCursorOpen()) CloseCursor();
    } catch (...) {
    }
    FreeBuffers();
    throw;
  }
  SetState(dsBrowse);
  Fire(AfterOpen);
  DoAfterScroll();
}

void TDataSet::CloseDataSet() {
  Fire(BeforeClose);
  // Pending changes are dropped: closing never posts.
  SetState(dsInactive);
  try {
    CloseCursor();
  } catch (...) {
    FreeBuffers();
    throw;
  }
  FreeBuffers();
  Fire(AfterClose);
}

void TDataSet::AllocateBuffers(int count) {
  FreeBuffers();
  buffer_count_ = count;
  buffers_.assign(static_cast<std::size_t>(count) + 1, nullptr);
  for (TRecordBuffer& b : buffers_) b = AllocRecordBuffer();
  temp_buffer_ = AllocRecordBuffer();
  ClearBuffers();
}

void TDataSet::FreeBuffers() {
  for (TRecordBuffer b : buffers_)
    if (b) FreeRecordBuffer(b);
  buffers_.clear();
  if (temp_buffer_) FreeRecordBuffer(temp_buffer_);
  temp_buffer_ = nullptr;
  calc_buffer_ = nullptr;
  buffer_count_ = 0;
  ClearBuffers();
}

void TDataSet::SetState(TDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  modified_ = false;
  DataEvent(deUpdateState);
}

TDataSetState TDataSet::SetTempState(TDataSetState state) {
  TDataSetState old = state_;
  state_ = state;
  return old;
}

void TDataSet::RestoreState(TDataSetState state) { state_ = state; }

void TDataSet::CheckActive() const {
  if (state_ == dsInactive) DatabaseError(msg::kDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (state_ != dsInactive) DatabaseError(msg::kDataSetOpen);
}

TField& TDataSet::FieldByName(std::string_view name) const {
  TField* field = fields_.Find(name);
  if (!field) DatabaseErrorFmt(msg::kFieldNotFound, std::string(name).c_str());
  return *field;
}

std::unique_ptr<TField> TDataSet::CreateFieldOfType(TFieldType data_type) {
  switch (data_type) {
    case ftString: return std::make_unique<TStringField>();
    case ftInteger: return std::make_unique<TIntegerField>();
    case ftFloat: return std::make_unique<TFloatField>();
    case ftDate: return std::make_unique<TDateField>();
    case ftBoolean: return std::make_unique<TBooleanField>();
    case ftMemo: return std::make_unique<TMemoField>();
    default: return nullptr;
  }
}

void TDataSet::CreateFields() {
  // Default fields from the first: a definition a field class refuses must not leave half a
  // list behind that the next open would take for the application's own fields.
  default_fields_ = true;
  try {
    for (const TFieldDef& def : field_defs_) {
      std::unique_ptr<TField> field = CreateFieldOfType(def.DataType());
      if (!field) continue;
      field->SetFieldName(def.Name());
      field->SetSize(def.Size());
      field->SetRequired(def.Required());
      fields_.Add(std::move(field));
    }
  } catch (...) {
    DestroyFields();
    throw;
  }
}

void TDataSet::DestroyFields() {
  fields_.Clear();
  default_fields_ = false;
}

void TDataSet::BindFields(bool binding) {
  calc_fields_size_ = 0;
  calc_field_count_ = 0;
  blob_field_count_ = 0;
  for (const auto& owned : fields_) {
    TField& field = *owned;
    if (!binding) {
      field.field_no_ = 0;
      continue;
    }
    if (field.Calculated()) {
      field.field_no_ = -1;
      field.offset_ = calc_fields_size_;
      calc_fields_size_ += 1 + field.DataSize();
      ++calc_field_count_;
      continue;
    }
    const TFieldDef* def = field_defs_.Find(field.FieldName());
    if (!def) DatabaseErrorFmt(msg::kFieldNotFound, field.FieldName().c_str());
    if (def->DataType() != field.DataType())
      DatabaseErrorFmt(msg::kFieldTypeMismatch, field.FieldName().c_str(),
                       FieldTypeName(field.DataType()), FieldTypeName(def->DataType()));
    // The record holds the column's width: a string field of another size would read and
    // write past its slot.
    if (field.DataType() == ftString && field.Size() != def->Size()) field.SetSize(def->Size());
    field.field_no_ = def->FieldNo();
    if (field.IsBlob()) ++blob_field_count_;
  }
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
  RecordAside aside(*this, buffer);
  ClearCalcFields(buffer);
  Fire(OnCalcFields);
}

void TDataSet::DispatchEvent(TDataEvent event, const void* info) {
  if (event == deFieldChange) {
    auto* field = static_cast<TField*>(const_cast<void*>(info));
    if (!field->Calculated() && auto_calc_fields_ && (state_ == dsEdit || state_ == dsInsert))
      GetCalcFields(ActiveBuffer());
    modified_ = true;
    field->Change();
  }
  // Controls hear nothing now and the whole picture once they are enabled again; but a post
  // still collects what they hold unwritten, or it would be lost.
  if (disable_count_ > 0 && event != deUpdateRecord) {
    pending_change_ = true;
    return;
  }
  // By index: a handler may add or remove sources meanwhile.
  for (std::size_t i = 0; i < sources_.size(); ++i) sources_[i]->DataEvent(event, info);
}

void TDataSet::EnableControls() {
  if (disable_count_ == 0 || --disable_count_ > 0) return;
  if (!pending_change_) return;
  pending_change_ = false;
  for (TDataSource* source : std::vector<TDataSource*>(sources_)) {
    source->DataEvent(deUpdateState, nullptr);
    source->DataEvent(deDataSetChange, nullptr);
  }
}

void TDataSet::AddDataSource(TDataSource* source) {
  sources_.push_back(source);
  UpdateBufferCount();
}

void TDataSet::RemoveDataSource(TDataSource* source) {
  std::erase(sources_, source);
  UpdateBufferCount();
}

std::unique_ptr<platform::TStream> TDataSet::CreateBlobStream(TField& /*field*/,
                                                              TBlobStreamMode /*mode*/) {
  DatabaseError(msg::kBlobNotSupported);
}

}  // namespace vornelle::framework
