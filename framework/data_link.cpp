#include "framework/data_link.h"

#include <algorithm>

#include "framework/dataset.h"

namespace vornelle::framework {

// --- TDataSource ---

TDataSource::TDataSource(TDataSet* dataset) { SetDataSet(dataset); }

TDataSource::~TDataSource() {
  // No state change is reported from a source on its way out.
  OnStateChange = nullptr;
  SetDataSet(nullptr);
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataset) {
  if (dataset == dataset_) return;
  if (dataset_) {
    // The links leave the old dataset first, so that they start afresh on the new one even
    // when both are open.
    dataset_->RemoveDataSource(this);
    dataset_ = nullptr;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->UpdateState();
  }
  dataset_ = dataset;
  if (dataset_) dataset_->AddDataSource(this);
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->UpdateState();
  NoteState();
}

void TDataSource::NoteState() {
  if (!enabled_ || State() == last_state_) return;
  last_state_ = State();
  if (OnStateChange) OnStateChange(*this);
}

void TDataSource::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  NoteState();
  for (TDataLink* link : std::vector<TDataLink*>(links_)) {
    link->UpdateState();
    if (link->Active()) link->DataEvent(deDataSetChange, nullptr);
  }
}

TDataSetState TDataSource::State() const { return dataset_ ? dataset_->State() : dsInactive; }

void TDataSource::Edit() {
  if (dataset_ && dataset_->State() == dsBrowse) dataset_->Edit();
}

void TDataSource::DataEvent(TDataEvent event, const void* info) {
  if (!enabled_) return;
  if (event == deUpdateState) NoteState();
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataEvent(event, info);
  switch (event) {
    case deFieldChange:
      if (OnDataChange) OnDataChange(*this, static_cast<TField*>(const_cast<void*>(info)));
      break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(*this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData) OnUpdateData(*this);
      break;
    default: break;
  }
}

void TDataSource::AddLink(TDataLink* link) {
  links_.push_back(link);
  if (dataset_) dataset_->UpdateBufferCount();
}

void TDataSource::RemoveLink(TDataLink* link) {
  std::erase(links_, link);
  if (dataset_) dataset_->UpdateBufferCount();
}

// --- TDataLink ---

TDataLink::~TDataLink() {
  if (source_) source_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == source_) return;
  if (source_) source_->RemoveLink(this);
  source_ = source;
  if (source_) source_->AddLink(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return source_ ? source_->DataSet() : nullptr; }

void TDataLink::SetBufferCount(int count) {
  count = std::max(1, count);
  if (count == buffer_count_) return;
  buffer_count_ = count;
  if (TDataSet* ds = DataSet()) ds->UpdateBufferCount();
  UpdateRange();
}

int TDataLink::RecordCount() const {
  if (!active_) return 0;
  return std::clamp(DataSet()->record_count_ - first_record_, 0, buffer_count_);
}

int TDataLink::ActiveRecord() const {
  return active_ ? DataSet()->active_record_ - first_record_ : 0;
}

void TDataLink::SetActiveRecord(int row) {
  if (!active_) return;
  TDataSet* ds = DataSet();
  ds->active_record_ = std::clamp(first_record_ + row, 0, std::max(0, ds->record_count_ - 1));
}

bool TDataLink::Edit() {
  // A read-only dataset is a "no" to a control, not an error.
  TDataSet* ds = DataSet();
  if (source_ && source_->Enabled() && ds && ds->CanModify()) source_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::UpdateState() {
  TDataSet* ds = DataSet();
  const bool active = ds && ds->Active() && source_->Enabled();
  if (active != active_) {
    active_ = active;
    first_record_ = 0;
    UpdateRange();
    ActiveChanged();
  }
  const bool editing = active_ && (ds->State() == dsEdit || ds->State() == dsInsert);
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::UpdateRange() {
  if (!active_) return;
  const TDataSet* ds = DataSet();
  const int active = ds->active_record_;
  // Show as many records as the window holds, and always the active one.
  first_record_ = std::min(first_record_, std::max(0, ds->record_count_ - buffer_count_));
  first_record_ = std::clamp(first_record_, std::max(0, active - buffer_count_ + 1), active);
}

void TDataLink::DataEvent(TDataEvent event, const void* info) {
  switch (event) {
    case deUpdateState:
      UpdateState();
      break;
    case deDataSetChange:
      UpdateRange();
      if (active_) DataSetChanged();
      break;
    case deLayoutChange:
      UpdateRange();
      if (active_) LayoutChanged();
      break;
    case deDataSetScroll: {
      const int distance = info ? *static_cast<const int*>(info) : 0;
      const int old_first = first_record_;
      first_record_ -= distance;
      UpdateRange();
      // The link's rows moved as far as the window's records, less what its range took back:
      // a link with fewer rows than the window may scroll when the window does not.
      if (active_) DataSetScrolled(distance + first_record_ - old_first);
      break;
    }
    case deFieldChange:
    case deRecordChange:
      if (active_ && !updating_) RecordChanged(static_cast<TField*>(const_cast<void*>(info)));
      break;
    case deUpdateRecord:
      if (active_) UpdateRecord();
      break;
    case deCheckBrowseMode:
      if (active_) CheckBrowseMode();
      break;
  }
}

}  // namespace vornelle::framework
