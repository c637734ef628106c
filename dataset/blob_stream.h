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
  // Finishes the stream when nobody did (see Finish); a failure goes to the application's
  // handler. A stream dropped by an exception abandons a value being written: the field keeps
  // the value it had.
  ~TTzBlobStream() override;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, platform::TSeekOrigin origin) override;
  // In the write modes: finishes the value in the memo file, and only once it is whole there
  // points the record at it (putting the dataset into edit state when needed) and tells the
  // field. A value that could not be stored leaves the field as it was and raises. In write
  // mode a value left empty empties the field; in read-write mode it leaves it as it was.
  void Finish() override;

 private:
  friend class TTzFileDataSet;

  // The table was closed: the field objects and the engine's descriptor are gone.
  void TableClosed() {
    field_ = nullptr;
    descriptor_ = false;
  }
  // The dataset itself is gone.
  void DataSetDestroyed() {
    TableClosed();
    dataset_ = nullptr;
  }
  // Opens the engine's descriptor for the field's value in `mode`.
  void Start(framework::TBlobStreamMode mode, bool translate);
  void FinishValue();
  // The value written could not be stored: raises the engine's failure, or a write error.
  [[noreturn]] void RaiseNotStored();
  // The block number slot of the field in the dataset's active record buffer; null when the
  // field has none.
  char* Slot() const;
  void SetSlot(int32_t block);

  framework::TBlobField* field_;
  TTzFileDataSet* dataset_;
  bool modified_ = false;
  uint8_t mode_ = 0;  // 0 read, 1 write, 2 read-write
  bool descriptor_ = false;
  bool finished_ = false;
  bool start_failed_ = false;  // write modes: the memo layer could not start the value
  int32_t old_block_ = 0;  // write modes: the field's value before, kept until the new is whole
  int32_t new_block_ = 0;
  int exceptions_at_start_;  // to tell a drop by an exception from a normal end
};

}  // namespace vornelle::dataset
