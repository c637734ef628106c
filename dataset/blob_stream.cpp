#include "dataset/blob_stream.h"

#include <cstring>

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

TTzBlobStream::TTzBlobStream(TBlobField& field, TBlobStreamMode mode, bool translate)
    : field_(field), dataset_(DataSetOf(field)) {
  dataset_.DirectOpenClose(true);
  dataset_.SelectWorkArea("CreateBlobStream");
  char* slot = Slot();
  if (!slot) return;  // no descriptor: reads nothing
  int32_t block = 0;
  std::memcpy(&block, slot, 4);
  if (mode == bmRead) {
    engine::CreateBlobDescriptor(translate, block, engine::BlobMode::Read);
  } else {
    block = engine::CreateBlobDescriptor(translate, block, engine::BlobMode::Write);
    std::memcpy(slot, &block, 4);
    mode_ = mode == bmWrite ? 1 : 2;
  }
  descriptor_ = true;
}

TTzBlobStream::~TTzBlobStream() {
  try {
    dataset_.SelectWorkArea("DestroyBlobStream");
    if (descriptor_ && mode_ == 1) {
      char* slot = Slot();
      int32_t block = 0;
      std::memcpy(&block, slot, 4);
      if (!modified_ && block != 0) {
        block = 0;  // a value opened for writing and left empty empties the field
        modified_ = true;
      }
      const TDataSetState state = dataset_.State();
      if (state != dsEdit && state != dsInsert && state != dsSetKey) {
        // Editing re-reads the record; the new block number must survive that.
        dataset_.Edit();
        dataset_.SelectWorkArea("DestroyBlobStream");
        slot = Slot();
      }
      std::memcpy(slot, &block, 4);
      dataset_.WriteBufferToRecord(dataset_.ActiveBuffer());
    }
    if (descriptor_) engine::DestroyBlobDescriptor();
  } catch (...) {
    platform::HandleCurrentException();
  }
  if (modified_) {
    try {
      dataset_.DataEvent(deFieldChange, &field_);
    } catch (...) {
      platform::HandleCurrentException();
    }
  }
  try {
    dataset_.DirectOpenClose(false);
  } catch (...) {
    platform::HandleCurrentException();
  }
}

char* TTzBlobStream::Slot() const {
  TRecordBuffer buffer = dataset_.ActiveBuffer();
  return field_.FieldNo() >= 1 && buffer ? dataset_.FieldSlot(buffer, field_) : nullptr;
}

int32_t TTzBlobStream::Read(void* buffer, int32_t count) {
  dataset_.SelectWorkArea("ReadBlobStream");
  return descriptor_ ? engine::ReadBlobStream(buffer, count) : 0;
}

int32_t TTzBlobStream::Write(const void* buffer, int32_t count) {
  dataset_.SelectWorkArea("WriteBlobStream");
  const int32_t written = descriptor_ ? engine::WriteBlobStream(buffer, count) : 0;
  if (written > 0) modified_ = true;
  return written;
}

int32_t TTzBlobStream::Seek(int32_t offset, platform::TSeekOrigin origin) {
  dataset_.SelectWorkArea("SeekBlobStream");
  return descriptor_ ? engine::SeekBlob(offset, origin) : 0;
}

}  // namespace vornelle::dataset
