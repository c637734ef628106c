// TTzDataSet: opening and closing through the engine, the work area, the file name, the field
// definitions and the deleted-record rule.

#include "dataset/tz_dataset.h"

#include <filesystem>

#include "dataset/messages.h"
#include "dataset/text.h"
#include "engine/engine.h"
#include "framework/errors.h"
#include "platform/codepage.h"

namespace vornelle::dataset {

using namespace framework;

namespace {

struct TypeMapping {
  TFieldType data_type;
  int definition_size;
  int slot_size;
};

TypeMapping MappingOf(const TDTField& f) {
  switch (f.TypeLetter) {
    case 'D': return {ftDate, 0, 8};
    case 'N':
    case 'F': return f.Double ? TypeMapping{ftFloat, f.Width, 8} : TypeMapping{ftInteger, f.Width, 4};
    case 'L': return {ftBoolean, 0, 2};
    case 'M': return {ftMemo, 0, 4};
    default: return {ftString, f.Width, f.Width + 1};
  }
}

}  // namespace

TTzDataSet::TTzDataSet() = default;

TTzDataSet::~TTzDataSet() {
  DestroyingClose();
  if (work_area_ != 0) {
    try {
      TziClose();
    } catch (...) {
    }
  }
}

void TTzDataSet::SelectWorkArea(std::string_view operation) {
  if (work_area_ != 0) {
    engine::EngineState& engine_state = engine::State();
    if (engine_state.current != work_area_) engine::Select(work_area_);
    engine_state.switches.oem = table_language_ != tlAnsi;
    return;
  }
  engine::Report(1103, platform::OemToAnsi(msg::kNotOpen) + " [" + Name() + "." + std::string(operation) + "]");
  platform::RequestTerminate();
  // The report returned (the engine's auto-check switch is off): nothing may run on whatever
  // work area happens to be current.
  throw platform::EAbort();
}

void TTzDataSet::EnterEngine(std::string_view operation) {
  SelectWorkArea(operation);
  engine::State().error.last_error = 0;  // as the engine's own routines start
}

int16_t TTzDataSet::EngineResult() { return engine::LastError(); }

bool TTzDataSet::s_IsEmptyDbf() {
  SelectWorkArea("s_IsEmptyDbf");
  return engine::dBOF() && engine::dEOF();
}

std::string TTzDataSet::TziErrorText(int16_t /*code*/) { return engine::FetchMessage(); }

// --- Opening and closing ---

int16_t TTzDataSet::TziOpen() {
  if (dbf_file_name_.empty()) return kNoFileName;
  field_props_.reset();
  record_data_size_ = 0;
  const int remembered = engine::CurrentArea();
  engine::Select(work_area_);
  if (const int16_t code = engine::LastError(); code != 0) {
    engine::Select(remembered);
    return code;
  }
  engine::Switches().oem = table_language_ != tlAnsi;
  bool opened = false;
  try {
    opened = OpenDbfFile(dbf_file_name_);
  } catch (...) {
    // The engine raised: the failed open still gives back the area that was current.
    engine::Select(remembered);
    throw;
  }
  if (opened) {
    engine::SetIgnoreDel(hide_deleted_recs_);
    work_area_ = engine::CurrentArea();
    field_props_ = TDbfFieldProps::OfCurrentArea();
    return 0;
  }
  const int16_t code = engine::LastError();
  engine::Select(remembered);
  return code != 0 ? code : kOpenFailed;
}

int16_t TTzDataSet::TziClose() {
  if (work_area_ != 0) {
    engine::Select(work_area_);
    engine::USE("");
  }
  work_area_ = 0;
  at_begin_ = at_end_ = false;
  // The engine's filter went with the work area.
  SetFilterText("");
  SetFiltered(false);
  return 0;
}

void TTzDataSet::SetDbfFileName(const std::string& name) {
  const bool was_open = Active();
  if (!Loading()) SetActive(false);
  // Blanks and control characters around a name are dropped, unless a file has the name as it
  // was given: every name a folder can hold must open.
  const std::string trimmed = TrimControls(name);
  std::error_code no_file;
  dbf_file_name_ =
      trimmed != name && std::filesystem::is_regular_file(name, no_file) ? name : trimmed;
  if (dbf_file_name_.empty()) return;
  // A name ending in "." stands for a file without extension and is kept as it is.
  if (dbf_file_name_.back() != '.') dbf_file_name_ = engine::TableFileName(dbf_file_name_);
  if (!Loading()) SetActive(was_open);
}

void TTzDataSet::InternalInitFieldDefs() {
  FieldDefs().Clear();
  field_offsets_.clear();
  slot_by_field_no_.clear();
  if (!field_props_) DatabaseError(Name() + msg::kFieldsUndefined);
  int offset = 1;  // after the deletion flag
  int number = 0;
  for (const TDTField& f : field_props_->Fields) {
    ++number;
    const TypeMapping mapping = MappingOf(f);
    if (f.Name.empty()) {
      slot_by_field_no_.push_back(-1);
      continue;
    }
    field_offsets_.push_back(static_cast<uint16_t>(offset));
    slot_by_field_no_.push_back(offset);
    offset += mapping.slot_size;
    FieldDefs().Add(f.Name, mapping.data_type, mapping.definition_size, false, number);
  }
  record_data_size_ = static_cast<uint16_t>(offset);
}

uint16_t TTzDataSet::TziGetRecordSize() {
  if (record_data_size_ == 0 && field_props_) {
    int size = 1;
    for (const TDTField& f : field_props_->Fields)
      if (!f.Name.empty()) size += MappingOf(f).slot_size;
    record_data_size_ = static_cast<uint16_t>(size);
  }
  return record_data_size_;
}

// --- Keeping the dataset and the engine in step ---

void TTzDataSet::SyncBuffer() {
  if (State() == dsInsert) {
    SelectWorkArea("SyncBuffer");
    WriteBufferToRecord(ActiveBuffer());
  } else {
    UpdateCursorPos();
  }
}

void TTzDataSet::SyncCursor() { SyncBuffer(); }

void TTzDataSet::ResyncAfterChange() {
  if (!s_IsEmptyDbf()) return;
  at_begin_ = at_end_ = true;
  Resync(0);
}

void TTzDataSet::RefreshPosition() {
  if (engine::LastError() != 0) return;
  const TDataSetState state = State();
  if (state == dsEdit || state == dsInsert || state == dsSetKey) SetState(dsBrowse);
  if (s_IsEmptyDbf()) {
    if (TRecordBuffer buffer = ActiveBuffer()) ZeroBuffer(buffer);
    at_begin_ = at_end_ = true;
    Resync(0);
  } else {
    at_begin_ = at_end_ = false;
    Resync(rmExact);
  }
  DoAfterScroll();
}

void TTzDataSet::SetHideDeletedRecs(bool on) {
  hide_deleted_recs_ = on;
  if (!Active()) return;
  SyncCursor();
  engine::Select(work_area_);
  engine::SetIgnoreDel(on);
  // With no record under the cursor (nothing was visible) there is no place to keep: the view
  // starts again from its first record under the new rule.
  if (engine::dEOF())
    engine::GoTop();
  else
    engine::RepositionAfterChange();
  RefreshPosition();
}

}  // namespace vornelle::dataset
