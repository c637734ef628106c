#pragma once
// TTzBlobStream: a stream over one memo value of the component's table. It forwards every call
// to the engine's blob descriptor of the table's work area, and keeps the field's block number
// in the dataset's record buffer in step with what the engine allocates. The engine keeps one
// descriptor per work area, so one memo stream per table can be in use at a time.

#include <cstdint>

#include "framework/field_types.h"
#include "platform/stream.h"

namespace vornelle::dataset {

class TTzFileDataSet;

class TTzBlobStream : public platform::TStream {
 public:
  // Read mode opens the field's value; write and read-write modes start a new value at a new
  // block, which the record buffer refers to from then on.
  TTzBlobStream(framework::TBlobField& field, framework::TBlobStreamMode mode, bool translate);
  // In write mode a value left empty empties the field; the record buffer goes to the engine's
  // typed record buffer, and the value is finished in the memo file.
  ~TTzBlobStream() override;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, platform::TSeekOrigin origin) override;

 private:
  // The block number slot of the field in the dataset's active record buffer; null when the
  // field has none.
  char* Slot() const;

  framework::TBlobField& field_;
  TTzFileDataSet& dataset_;
  bool modified_ = false;
  uint8_t mode_ = 0;  // 0 read, 1 write, 2 read-write
  bool descriptor_ = false;
};

}  // namespace vornelle::dataset
