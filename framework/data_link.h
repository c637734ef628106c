#pragma once
// Data sources and data links: how controls follow a dataset. A control owns a TDataLink on a
// TDataSource, which names the dataset; the dataset tells every link of scrolls, state changes
// and record and field changes, and sizes its window of record buffers to the largest buffer
// count a link asks for. Each link sees its own part of that window (a grid with fewer rows
// than another sees fewer records).

#include <functional>
#include <vector>

#include "framework/types.h"

namespace vornelle::framework {

class TDataSet;
class TDataLink;
class TField;

class TDataSource {
 public:
  explicit TDataSource(TDataSet* dataset = nullptr);
  ~TDataSource();
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return dataset_; }
  void SetDataSet(TDataSet* dataset);
  // A disabled source passes nothing on; enabling it again tells the links everything.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  TDataSetState State() const;
  // Puts the dataset into edit state when it is browsing.
  void Edit();

  std::function<void(TDataSource& source)> OnStateChange;
  std::function<void(TDataSource& source, TField* field)> OnDataChange;
  std::function<void(TDataSource& source)> OnUpdateData;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent event, const void* info);
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);
  // Runs OnStateChange when the state differs from the one last reported.
  void NoteState();

  TDataSet* dataset_ = nullptr;
  std::vector<TDataLink*> links_;
  bool enabled_ = true;
  TDataSetState last_state_ = dsInactive;
};

class TDataLink {
 public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  bool Active() const { return active_; }
  bool Editing() const { return editing_; }

  // How many records the control shows at once.
  int BufferCount() const { return buffer_count_; }
  void SetBufferCount(int count);
  // The link's rows: how many hold a record, and which one is the dataset's active record.
  int RecordCount() const;
  int ActiveRecord() const;
  // Makes row `row` the dataset's active record for a moment, to read its fields (a grid
  // drawing its rows); set it back to the old value when done.
  void SetActiveRecord(int row);

  // Puts the dataset into edit state; false when it cannot be edited.
  bool Edit();
  // Writes the control's pending edit into the field now.
  void UpdateRecord();

 protected:
  // What a control overrides to follow the dataset.
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  // The records moved `distance` rows towards row 0 (negative: away from it).
  virtual void DataSetScrolled(int /*distance*/) {}
  // `field` changed, or the active record as a whole when it is null.
  virtual void RecordChanged(TField* /*field*/) {}
  virtual void EditingChanged() {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void UpdateData() {}
  virtual void CheckBrowseMode() {}

 private:
  friend class TDataSource;
  void DataEvent(TDataEvent event, const void* info);
  // Keeps the dataset's active record inside the link's rows.
  void UpdateRange();
  void UpdateState();

  TDataSource* source_ = nullptr;
  int buffer_count_ = 1;
  int first_record_ = 0;  // the dataset buffer shown in row 0
  bool active_ = false;
  bool editing_ = false;
  bool updating_ = false;
};

}  // namespace vornelle::framework
