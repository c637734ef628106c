#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace vornelle::platform {

int CreateUniqueFile(const std::string& prefix, const std::string& suffix, mode_t mode, std::string* name) {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = prefix;
    for (int i = 0; i < 6; ++i) *name += kChars[random() % (sizeof kChars - 1)];
    *name += suffix;
    const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

namespace {

bool WriteAllAt(int fd, std::string_view bytes) {
  off_t at = 0;
  while (!bytes.empty()) {
    const ssize_t n = pwrite(fd, bytes.data(), bytes.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
    at += n;
  }
  return true;
}

// Closes the file; a failed close after a good write is the write's failure.
bool Finish(int fd, bool ok) {
  const int err = errno;
  if (close(fd) != 0 && ok) return false;
  errno = err;
  return ok;
}

// The rename itself must reach the disk too, or a crash could bring the old file back.
void SyncFolder(const std::string& target) {
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Not atomic: a crash halfway leaves a mixed file. Only for a folder that allows nothing else.
bool RewriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EINVAL;
    return false;
  }
  return Finish(fd, WriteAllAt(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                        fsync(fd) == 0);
}

}  // namespace

bool ReplaceFileContent(const std::string& target, std::string_view bytes, std::optional<mode_t> mode) {
  std::string temporary;
  const int fd = CreateUniqueFile(target + ".tmp-", "", mode ? S_IRUSR | S_IWUSR : 0666, &temporary);
  if (fd < 0) {
    const bool folder_refuses = errno == EACCES || errno == EPERM || errno == EROFS;
    return folder_refuses && mode ? RewriteInPlace(target, bytes) : false;
  }
  bool ok = Finish(fd, WriteAllAt(fd, bytes) && (!mode || fchmod(fd, *mode) == 0) && fsync(fd) == 0);
  if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
    SyncFolder(target);
    return true;
  }
  const int err = errno;
  unlink(temporary.c_str());
  errno = err;
  return false;
}

}  // namespace vornelle::platform
