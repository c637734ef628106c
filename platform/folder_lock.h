#pragma once
// A lock on a folder between the processes that take it. Writers of a file that is replaced by
// renaming hold it exclusively around reading, changing and replacing the file, so that no
// one's change is lost: the folder stays the same object while the file does not. Readers of
// files that are replaced together (a table and its memo file) hold it shared while they open
// them, so that they open the files of one replacement, never one old and one new.

#include <chrono>
#include <string>

namespace vornelle::platform {

// A whole-file lock (flock) on `fd`, taken by polling rather than by waiting, so that a stopped
// holder cannot freeze the program: kTaken, kHeld when another held it all of `limit`, or
// kUnsupported when the file system has no such locks.
enum class PolledLock { kTaken, kHeld, kUnsupported };
PolledLock PollFlock(int fd, int operation, std::chrono::milliseconds limit);

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
  // The same, shared with other readers: it waits only while a writer holds the folder.
  bool LockShared(const std::string& folder);
  // Lets the folder go before the end of the lock's life.
  void Unlock();

  // Makes the folder's entries durable (renames, new and removed names): 0 or the errno. A
  // folder that could not be opened has nothing to sync.
  int Sync() const;

 private:
  bool Take(const std::string& folder, int operation);

  int fd_ = -1;
};

}  // namespace vornelle::platform
