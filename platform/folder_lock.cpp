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

bool FolderLock::Lock(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  // Polled rather than blocking, so that a stopped holder cannot freeze the program.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  auto pause = std::chrono::milliseconds(1);
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const bool held = errno == EWOULDBLOCK;
    if (!held || std::chrono::steady_clock::now() >= deadline) {
      close(fd);
      errno = EAGAIN;
      return !held;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(5));
  }
  fd_ = fd;
  return true;
}

}  // namespace vornelle::platform
