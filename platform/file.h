#pragma once
// Files with the classic access and share modes, positioned reads and writes, and byte-range
// locks that belong to the open file (not to the process), on Linux.
//
// Share modes are emulated between opens with a whole-file flock taken when the file is opened:
// "deny all" takes it exclusively, every other mode shared, both without waiting. A refused
// share is kSharingViolation. Byte-range locks are open-file-description locks, so two opens of
// one file in one process exclude each other exactly as two programs do, and closing one open
// never drops the locks of another. Every call returns 0 or a platform code (error_codes.h).

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornelle::platform {

// The one-byte file mode: access in bits 0-2, sharing in bits 4-6.
namespace mode {
constexpr uint8_t kReadOnly = 0x00;
constexpr uint8_t kWriteOnly = 0x01;
constexpr uint8_t kReadWrite = 0x02;
constexpr uint8_t kShareCompat = 0x00;
constexpr uint8_t kDenyAll = 0x10;
constexpr uint8_t kDenyWrite = 0x20;
constexpr uint8_t kDenyRead = 0x30;
constexpr uint8_t kDenyNone = 0x40;
constexpr uint8_t kAccessMask = 0x07;
constexpr uint8_t kShareMask = 0x70;
}  // namespace mode

class File {
 public:
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  // Opens an existing file in the given mode. Only regular files open: a folder, FIFO, socket or
  // device (also through a symbolic link) is kAccessDenied, at once, without waiting for a
  // FIFO's other end.
  int Open(const std::string& path, uint8_t file_mode);
  // Creates the file, or truncates it when it exists, for reading and writing, deny none; the
  // same files as Open are refused.
  int Create(const std::string& path);
  int Close();
  bool IsOpen() const { return fd_ >= 0; }
  bool Writable() const { return writable_; }

  // Positioned transfers; *done tells how many bytes moved (a short read at the end of the
  // file is not an error: the caller decides).
  int ReadAt(int64_t offset, void* buffer, std::size_t count, std::size_t* done);
  int WriteAt(int64_t offset, const void* buffer, std::size_t count, std::size_t* done);
  int Size(int64_t* size) const;
  // Whether `path` still names this open file. A name removed, or renamed over by another file
  // (a table replaced by another program), names it no more: writes here would reach nobody.
  // 0 or a platform code; a name that is gone is no error.
  int NamedBy(const std::string& path, bool* named) const;
  int Truncate(int64_t size);
  int Flush();

  // Byte-range locks; a range another open holds is refused at once with kLockViolation.
  int LockRange(uint64_t offset, uint64_t length);
  int UnlockRange(uint64_t offset, uint64_t length);

 private:
  int fd_ = -1;
  bool writable_ = false;
};

// Free space, in kilobytes, of the file system that holds the path.
int FreeDiskKilobytes(const std::string& path, int64_t* kilobytes);

// The absolute form of a file name, relative names taken from the current folder.
std::string FullPath(const std::string& name);

// File names are matched without regard to case, as the tables' home platform does: when the
// path does not exist as written, the one entry of its folder whose name differs only in case
// is taken. Returns the path unchanged when there is none.
std::string ResolveCase(const std::string& path);

// Fault injection for tests: the nth read, write or flush from now (1 = the next one) fails with
// the given platform code, a read or write after moving `partial` bytes. Off in normal runs.
namespace faults {
void FailNthWrite(int nth, int code, std::size_t partial = 0);
void FailNthRead(int nth, int code, std::size_t partial = 0);
void FailNthFlush(int nth, int code);
void Clear();
}  // namespace faults

}  // namespace vornelle::platform
