#pragma once
// TTzFileDataSet: the table file. It opens the table by name (creating it from DbfFields when
// it is missing), exclusively or read-only when asked; it changes records under the engine's
// append and record locks, asking its lock-failure events whether to try again; it streams
// memo values and searches.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dataset/c_dataset.h"

namespace vornelle::dataset {

// The index policy. There is no index layer: the policy is kept and does nothing.
enum TCreateIndexType { ciNotFound, ciAlways, ciVerifyHeader, ciNever };

class TTzFileDataSet;
class TTzBlobStream;
using TTzLockFailedEvent = std::function<void(TTzFileDataSet& sender, bool& retry)>;
using TBeforeMakeIndexEvent = std::function<void(const std::string& name, bool& can_make)>;
using TAfterMakeIndexEvent = std::function<void(const std::string& name)>;

class TTzFileDataSet : public TTzCDataSet {
 public:
  TTzFileDataSet();
  // Memo streams that outlive the dataset are told so: they touch nothing of it any more.
  ~TTzFileDataSet() override;

  // Opens with no sharing; changing it while open closes and reopens the table.
  bool Exclusive() const { return exclusive_; }
  void SetExclusive(bool on);
  bool CreateIfNotFound() const { return create_if_not_found_; }
  void SetCreateIfNotFound(bool on) { create_if_not_found_ = on; }
  // The record count follows the file size rather than the header while the table opens.
  bool AutoFixRecCount() const { return auto_fix_rec_count_; }
  void SetAutoFixRecCount(bool on) { auto_fix_rec_count_ = on; }

  // Kept for the index layer, which this build does not have: tables open as if no index
  // were declared.
  TCreateIndexType CreateIndex() const { return create_index_; }
  void SetCreateIndex(TCreateIndexType type) { create_index_ = type; }
  const std::vector<std::string>& IndexList() const { return index_list_; }
  void SetIndexList(std::vector<std::string> lines) { index_list_ = std::move(lines); }
  bool ShowProgress() const { return show_progress_; }
  void SetShowProgress(bool on) { show_progress_ = on; }

  // Searches through the engine: ";"-separated key fields, one key value each, tried in turn.
  bool Locate(const std::string& key_fields, const std::vector<Variant>& key_values,
              framework::TLocateOptions options) override;
  std::vector<Variant> Lookup(const std::string& key_fields, const std::vector<Variant>& key_values,
                              const std::string& result_fields) override;
  std::unique_ptr<platform::TStream> CreateBlobStream(TField& field,
                                                      framework::TBlobStreamMode mode) override;
  bool IsSequenced() override;

  // Reports "DataSet must be active. " with code 1103 when the dataset is closed (a memo
  // stream starts and ends with this check).
  void DirectOpenClose(bool opening);

  // Takes the lock the next change needs before it is made: the append lock for a new record,
  // else the record lock of the active record. The change's own update then finds it held and
  // gives it back. A caller that writes memo values before Post takes it first, so that a lock
  // another program holds refuses the change before anything is written. One try; false when
  // another program holds it.
  bool LockForChange(bool append);
  // Gives back every lock of the table (after a change that was not made).
  void ReleaseLocks();
  // Whether another program replaced the table since it was opened (an import put new files
  // under its name): changes would reach files no one reads, and the engine refuses them.
  bool FileReplaced();

  TTzLockFailedEvent OnALockFailedOnInsert;
  TTzLockFailedEvent OnRLockFailedOnDelete;
  TTzLockFailedEvent OnRLockFailedOnPost;
  TTzLockFailedEvent OnRLockFailedOnRestore;
  TBeforeMakeIndexEvent OnBeforeMakeIndex;
  TAfterMakeIndexEvent OnAfterMakeIndex;

 protected:
  void CloseCursor() override;
  bool OpenDbfFile(const std::string& name) override;
  void s_AppendWithLock() override;
  void s_DeleteWithLock() override;
  void s_RestoreWithLock() override;
  void s_ReplaceWithLock() override;

 private:
  friend class TTzBlobStream;

  bool CreateTableFromFields();
  // The memo streams in use lose their field and descriptor with the table.
  void TableClosedUnderStreams();
  enum class Update { Append, Delete, Replace, Restore };
  void UpdateWithLock(Update update);

  bool exclusive_ = false;
  bool create_if_not_found_ = true;
  bool auto_fix_rec_count_ = false;
  TCreateIndexType create_index_ = ciNotFound;
  std::vector<std::string> index_list_;
  bool show_progress_ = true;
  std::vector<TTzBlobStream*> streams_;  // the memo streams alive, not owned
};

}  // namespace vornelle::dataset
