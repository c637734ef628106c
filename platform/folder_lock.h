#pragma once
// An exclusive lock on a folder between the processes that take it. Writers of a file that is
// replaced by renaming hold it around reading, changing and replacing the file, so that no
// one's change is lost: the folder stays the same object while the file does not.

#include <string>

namespace vornelle::platform {

class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Waits up to ten seconds for the lock; false, with errno EAGAIN, when another process holds
  // it all that time. A folder that cannot be locked at all (unreadable, or on a file system
  // without locks) is not locked, and true is returned: the write goes on as it did before.
  bool Lock(const std::string& folder);

  // Makes the folder's entries durable (renames, new and removed names): 0 or the errno. A
  // folder that could not be opened has nothing to sync.
  int Sync() const;

 private:
  int fd_ = -1;
};

}  // namespace vornelle::platform
