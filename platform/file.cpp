#include "platform/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "platform/error_codes.h"
#include "platform/ascii_case.h"

namespace vornelle::platform {

namespace {

struct Fault {
  int countdown = 0;  // 0 = off
  int code = 0;
  std::size_t partial = 0;
};
Fault g_write_fault;
Fault g_read_fault;
Fault g_flush_fault;

// Counts the fault down; true when this call is the one that must fail.
bool Due(Fault& fault) {
  if (fault.countdown <= 0) return false;
  if (--fault.countdown > 0) return false;
  return true;
}

// A missing file in a missing folder is "path not found", as on the original platform.
int OpenErrorCode(int err, const std::string& path) {
  if (err == ENOENT) {
    std::error_code ec;
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return kPathNotFound;
  }
  // A FIFO without a writer, a socket, a device that is not there: nothing a table can live in.
  if (err == ENXIO) return kAccessDenied;
  return ErrnoToCode(err, IoOp::Open);
}

// Opens only regular files. A FIFO would block the open until another program came, a device
// such as /dev/zero never ends, and a folder holds no bytes: each is refused as access denied.
// O_NONBLOCK keeps the open itself from waiting; it is cleared once the file is known regular.
int OpenRegular(const std::string& path, int flags, int* fd_out) {
  *fd_out = -1;
  int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
  if (fd < 0) return OpenErrorCode(errno, path);
  struct stat st;
  if (fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    return ErrnoToCode(err, IoOp::Open);
  }
  const int status = fcntl(fd, F_GETFL);
  if (!S_ISREG(st.st_mode) || status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return kAccessDenied;
  }
  *fd_out = fd;
  return kOk;
}

int LockCall(int fd, bool writable, short type, uint64_t offset, uint64_t length) {
  struct flock fl = {};
  // A read-only open cannot hold a write lock; its read lock still excludes every writer's lock.
  fl.l_type = type == F_UNLCK ? F_UNLCK : (writable ? F_WRLCK : F_RDLCK);
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(offset);
  fl.l_len = static_cast<off_t>(length);
  fl.l_pid = 0;
  if (fcntl(fd, F_OFD_SETLK, &fl) == 0) return kOk;
  int err = errno;
  if (err == EAGAIN || err == EACCES) return kLockViolation;
  return ErrnoToCode(err, IoOp::Lock);
}

}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept : fd_(other.fd_), writable_(other.writable_) { other.fd_ = -1; }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    writable_ = other.writable_;
    other.fd_ = -1;
  }
  return *this;
}

int File::Open(const std::string& path, uint8_t file_mode) {
  Close();
  int flags = 0;
  switch (file_mode & mode::kAccessMask) {
    case mode::kReadOnly: flags = O_RDONLY; break;
    case mode::kWriteOnly: flags = O_WRONLY; break;
    default: flags = O_RDWR; break;
  }
  int fd = -1;
  if (int rc = OpenRegular(path, flags, &fd); rc != kOk) return rc;
  int share = (file_mode & mode::kShareMask) == mode::kDenyAll ? LOCK_EX : LOCK_SH;
  if (flock(fd, share | LOCK_NB) != 0) {
    int err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? kSharingViolation : ErrnoToCode(err, IoOp::Open);
  }
  fd_ = fd;
  writable_ = (file_mode & mode::kAccessMask) != mode::kReadOnly;
  return kOk;
}

int File::Create(const std::string& path) {
  Close();
  int fd = -1;
  if (int rc = OpenRegular(path, O_RDWR | O_CREAT, &fd); rc != kOk) return rc;
  // Refuse to truncate what another program holds with "deny all".
  if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
    ::close(fd);
    return kSharingViolation;
  }
  if (ftruncate(fd, 0) != 0) {
    int err = errno;
    ::close(fd);
    return ErrnoToCode(err, IoOp::Write);
  }
  fd_ = fd;
  writable_ = true;
  return kOk;
}

int File::Close() {
  if (fd_ < 0) return kOk;
  int rc = ::close(fd_);  // also drops this open's flock and its byte-range locks
  fd_ = -1;
  return rc == 0 ? kOk : ErrnoToCode(errno, IoOp::Other);
}

int File::ReadAt(int64_t offset, void* buffer, std::size_t count, std::size_t* done) {
  *done = 0;
  if (fd_ < 0) return kInvalidHandle;
  if (offset < 0) return kReadFault;
  if (Due(g_read_fault)) {
    std::size_t part = g_read_fault.partial < count ? g_read_fault.partial : count;
    if (part > 0) {
      ssize_t n = ::pread(fd_, buffer, part, offset);
      *done = n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return g_read_fault.code;
  }
  auto* out = static_cast<char*>(buffer);
  while (*done < count) {
    ssize_t n = ::pread(fd_, out + *done, count - *done, offset + static_cast<int64_t>(*done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoToCode(errno, IoOp::Read);
    }
    if (n == 0) break;  // end of file
    *done += static_cast<std::size_t>(n);
  }
  return kOk;
}

int File::WriteAt(int64_t offset, const void* buffer, std::size_t count, std::size_t* done) {
  *done = 0;
  if (fd_ < 0) return kInvalidHandle;
  if (!writable_) return kAccessDenied;
  if (offset < 0) return kWriteFault;
  const auto* in = static_cast<const char*>(buffer);
  if (Due(g_write_fault)) {
    std::size_t part = g_write_fault.partial < count ? g_write_fault.partial : count;
    if (part > 0) {
      ssize_t n = ::pwrite(fd_, in, part, offset);
      *done = n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return g_write_fault.code;
  }
  while (*done < count) {
    ssize_t n = ::pwrite(fd_, in + *done, count - *done, offset + static_cast<int64_t>(*done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrnoToCode(errno, IoOp::Write);
    }
    *done += static_cast<std::size_t>(n);
  }
  return kOk;
}

int File::Size(int64_t* size) const {
  *size = 0;
  if (fd_ < 0) return kInvalidHandle;
  struct stat st;
  if (fstat(fd_, &st) != 0) return ErrnoToCode(errno, IoOp::Other);
  *size = st.st_size;
  return kOk;
}

int File::NamedBy(const std::string& path, bool* named) const {
  *named = false;
  if (fd_ < 0) return kInvalidHandle;
  struct stat open_file, by_name;
  if (fstat(fd_, &open_file) != 0) return ErrnoToCode(errno, IoOp::Other);
  if (stat(path.c_str(), &by_name) != 0) return errno == ENOENT || errno == ENOTDIR ? kOk : ErrnoToCode(errno, IoOp::Other);
  *named = open_file.st_dev == by_name.st_dev && open_file.st_ino == by_name.st_ino;
  return kOk;
}

int File::Truncate(int64_t size) {
  if (fd_ < 0) return kInvalidHandle;
  if (ftruncate(fd_, size) != 0) return ErrnoToCode(errno, IoOp::Write);
  return kOk;
}

int File::Flush() {
  if (fd_ < 0) return kInvalidHandle;
  if (Due(g_flush_fault)) return g_flush_fault.code;
  if (fdatasync(fd_) != 0 && errno != EINVAL) return ErrnoToCode(errno, IoOp::Write);
  return kOk;
}

int File::LockRange(uint64_t offset, uint64_t length) {
  if (fd_ < 0) return kInvalidHandle;
  return LockCall(fd_, writable_, F_WRLCK, offset, length);
}

int File::UnlockRange(uint64_t offset, uint64_t length) {
  if (fd_ < 0) return kInvalidHandle;
  return LockCall(fd_, writable_, F_UNLCK, offset, length);
}

int FreeDiskKilobytes(const std::string& path, int64_t* kilobytes) {
  *kilobytes = 0;
  struct statvfs vfs;
  if (statvfs(path.c_str(), &vfs) != 0) return ErrnoToCode(errno, IoOp::Other);
  unsigned long long bytes = static_cast<unsigned long long>(vfs.f_bavail) * vfs.f_frsize;
  *kilobytes = static_cast<int64_t>(bytes / 1024);
  return kOk;
}

std::string FullPath(const std::string& name) {
  if (name.empty()) return name;
  std::error_code ec;
  auto full = std::filesystem::absolute(name, ec);
  if (ec) return name;
  return full.lexically_normal().string();
}

std::string ResolveCase(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  fs::path p(path);
  fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  std::string wanted = p.filename().string();
  const std::string key = AsciiLowered(wanted);
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    std::string name = entry.path().filename().string();
    if (name.size() == wanted.size() && AsciiLowered(name) == key) return (folder / name).string();
  }
  return path;
}

namespace faults {
void FailNthWrite(int nth, int code, std::size_t partial) { g_write_fault = {nth, code, partial}; }
void FailNthRead(int nth, int code, std::size_t partial) { g_read_fault = {nth, code, partial}; }
void FailNthFlush(int nth, int code) { g_flush_fault = {nth, code, 0}; }
void Clear() {
  g_write_fault = {};
  g_read_fault = {};
  g_flush_fault = {};
}
}  // namespace faults

}  // namespace vornelle::platform
