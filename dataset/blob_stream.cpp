#include "dataset/blob_stream.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "dataset/file_dataset.h"
#include "engine/engine.h"
#include "platform/exception.h"

namespace vornelle::dataset {

using namespace framework;

namespace {

TTzFileDataSet& DataSetOf(TBlobField& field) {
  auto* dataset = dynamic_cast<TTzFileDataSet*>(field.DataSet());
  if (!dataset) throw platform::EInvalidCast();
  return *dataset;
}

}  // namespace

std::unique_ptr<platform::TStream> TTzFileDataSet::CreateBlobStream(TField& field,
                                                                    TBlobStreamMode mode) {
  auto* blob = dynamic_cast<TBlobField*>(&field);
  if (!blob) throw platform::EInvalidCast();
  return std::make_unique<TTzBlobStream>(*blob, mode, TableLanguage() == tlOem);
}

void TTzFileDataSet::TableClosedUnderStreams() {
  for (TTzBlobStream* stream : streams_) stream->TableClosed();
}

TTzFileDataSet::~TTzFileDataSet() {
  for (TTzBlobStream* stream : streams_) stream->DataSetDestroyed();
}

TTzBlobStream::TTzBlobStream(TBlobField& field, TBlobStreamMode mode, bool translate)
    : field_(&field), dataset_(&DataSetOf(field)), exceptions_at_start_(std::uncaught_exceptions()) {
  dataset_->DirectOpenClose(true);
  dataset_->SelectWorkArea("CreateBlobStream");
  Start(mode, translate);
  dataset_->streams_.push_back(this);  // last: a constructor that raised leaves nothing behind
}

void TTzBlobStream::Start(TBlobStreamMode mode, bool translate) {
  char* slot = Slot();
  if (!slot) return;  // no descriptor: reads nothing
  int32_t block = 0;
  std::memcpy(&block, slot, 4);
  if (mode == bmRead) {
    engine::CreateBlobDescriptor(translate, block, engine::BlobMode::Read);
  } else {
    old_block_ = block;
    new_block_ = engine::CreateBlobDescriptor(translate, block, engine::BlobMode::Write);
    mode_ = mode == bmWrite ? 1 : 2;
    // A value the memo layer could not start (its lock, the disk) is never finished, and the
    // field keeps what it had.
    if (new_block_ == 0) {
      start_failed_ = true;
      return;
    }
    SetSlot(new_block_);
  }
  descriptor_ = true;
}

TTzBlobStream::~TTzBlobStream() {
  if (!dataset_) return;
  std::erase(dataset_->streams_, this);
  if (finished_) return;
  if (std::uncaught_exceptions() > exceptions_at_start_) {
    // Dropped by a failure on its way: nothing of a value being written is kept.
    finished_ = true;
    if (descriptor_ && mode_ != 0) {
      engine::CurrentAreaScope in_area(dataset_->WorkArea());
      engine::AbandonBlobDescriptor();
      SetSlot(old_block_);
    }
    return;
  }
  try {
    Finish();
  } catch (...) {
    platform::HandleCurrentException();
  }
}

void TTzBlobStream::Finish() {
  if (finished_ || !dataset_) return;
  finished_ = true;
  // A stream that outlived its table reports that the table is not open, and touches nothing
  // of it: its field objects went with it.
  dataset_->SelectWorkArea("DestroyBlobStream");
  if (!field_) return;
  if (start_failed_) RaiseNotStored();
  if (descriptor_ && mode_ != 0) {
    FinishValue();
  } else if (descriptor_) {
    descriptor_ = false;
    engine::DestroyBlobDescriptor();
  }
  if (modified_) {
    try {
      dataset_->DataEvent(deFieldChange, field_);
    } catch (...) {
      platform::HandleCurrentException();
    }
  }
  dataset_->DirectOpenClose(false);
}

void TTzBlobStream::FinishValue() {
  // The value is finished in the memo file before anything else can read a memo of the table
  // (an edit's events and data links would start a descriptor of their own over this one).
  descriptor_ = false;
  bool stored = false;
  try {
    stored = engine::DestroyBlobDescriptor();
  } catch (...) {
    SetSlot(old_block_);
    throw;
  }
  if (!stored) {
    SetSlot(old_block_);
    RaiseNotStored();
  }
  if (mode_ == 2) {
    // Read-write: the record buffer keeps the new block until the record is posted; with
    // nothing written the value stays as it was.
    SetSlot(modified_ ? new_block_ : old_block_);
    return;
  }
  int32_t block = new_block_;
  if (!modified_) {
    block = 0;  // a value opened for writing and left empty empties the field
    modified_ = true;
  }
  const TDataSetState state = dataset_->State();
  if (state != dsEdit && state != dsInsert && state != dsSetKey) {
    // Editing re-reads the record; the new block number is set after that.
    SetSlot(old_block_);
    dataset_->Edit();
    dataset_->SelectWorkArea("DestroyBlobStream");
  }
  SetSlot(block);
  dataset_->WriteBufferToRecord(dataset_->ActiveBuffer());
}

void TTzBlobStream::RaiseNotStored() {
  // The engine's own report, when it left one (with its raise switch off); else the stream's.
  if (const int16_t code = engine::LastError(); code != 0) dataset_->CheckResult(code);
  throw platform::EInOutError("Stream write error", 29);
}

char* TTzBlobStream::Slot() const {
  if (!field_ || !dataset_) return nullptr;
  TRecordBuffer buffer = dataset_->ActiveBuffer();
  return field_->FieldNo() >= 1 && buffer ? dataset_->FieldSlot(buffer, *field_) : nullptr;
}

void TTzBlobStream::SetSlot(int32_t block) {
  if (char* slot = Slot()) std::memcpy(slot, &block, 4);
}

int32_t TTzBlobStream::Read(void* buffer, int32_t count) {
  if (!dataset_) return 0;
  dataset_->SelectWorkArea("ReadBlobStream");
  return descriptor_ ? engine::ReadBlobStream(buffer, count) : 0;
}

int32_t TTzBlobStream::Write(const void* buffer, int32_t count) {
  if (!dataset_) return 0;
  dataset_->SelectWorkArea("WriteBlobStream");
  const int32_t written = descriptor_ ? engine::WriteBlobStream(buffer, count) : 0;
  if (written > 0) modified_ = true;
  return written;
}

int32_t TTzBlobStream::Seek(int32_t offset, platform::TSeekOrigin origin) {
  if (!dataset_) return 0;
  dataset_->SelectWorkArea("SeekBlobStream");
  return descriptor_ ? engine::SeekBlob(offset, origin) : 0;
}

}  // namespace vornelle::dataset
