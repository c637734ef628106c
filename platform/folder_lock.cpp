#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace vornelle::platform {

FolderLock::~FolderLock() {
  if (fd_ >= 0) close(fd_);  // closing drops the lock
}

bool FolderLock::Lock(const std::string& folder) { return Take(folder, LOCK_EX); }

bool FolderLock::LockShared(const std::string& folder) { return Take(folder, LOCK_SH); }

void FolderLock::Unlock() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool FolderLock::Take(const std::string& folder, int operation) {
  Unlock();
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  fd_ = fd;
  // Without locks on this file system the folder is kept open for Sync alone.
  if (PollFlock(fd, operation, std::chrono::seconds(10)) != PolledLock::kHeld) return true;
  close(fd);
  fd_ = -1;
  errno = EAGAIN;
  return false;
}

PolledLock PollFlock(int fd, int operation, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  auto pause = std::chrono::milliseconds(1);
  while (flock(fd, operation | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return PolledLock::kUnsupported;
    if (std::chrono::steady_clock::now() >= deadline) return PolledLock::kHeld;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(5));
  }
  return PolledLock::kTaken;
}

int FolderLock::Sync() const {
  if (fd_ < 0) return 0;
  return fsync(fd_) == 0 || errno == EINVAL ? 0 : errno;
}

}  // namespace vornelle::platform
