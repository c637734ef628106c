#include "tools/db/output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/file_replace.h"

namespace vornelle::tools {

namespace {

// The first failure's errno: a later flush may find the buffer already given up.
int first_error = 0;

[[noreturn]] void Failed(int err) {
  if (first_error == 0) first_error = err ? err : EIO;
  throw OutputError(std::string("cannot write the output: ") + std::strerror(first_error));
}

// Writes everything to `fd`; 0 or the errno.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

// Writes to a device or a pipe: no other name to write under first.
int WriteDirectly(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = WriteAll(fd, bytes);
  if (close(fd) != 0 && err == 0) err = errno;
  return err;
}

// A regular file is replaced whole: the old one stays when the write fails.
int WriteWhole(const std::string& path, std::string_view bytes) {
  struct stat old {};
  const bool existed = stat(path.c_str(), &old) == 0;
  // Through a symbolic link the file it names is replaced, not the link.
  std::error_code ignored;
  const std::string target = existed ? std::filesystem::canonical(path, ignored).string() : path;
  if (target.empty()) return ENOENT;
  const std::optional<mode_t> mode = existed ? std::optional<mode_t>(old.st_mode & 07777) : std::nullopt;
  return platform::ReplaceFileContent(target, bytes, mode) ? 0 : errno;
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(
      utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

constexpr std::size_t kBufferBytes = 1 << 20;
// Bytes this many or more are written straight out (after what the buffer holds): copied into
// the buffer first, they would be moved once more for nothing.
constexpr std::size_t kDirectBytes = 64 << 10;

// One large buffer for standard output, set before its first byte: a listing of a million
// records is then a few hundred writes, not thousands.
void UseLargeBuffer() {
  static const bool done = [] {
    static char storage[kBufferBytes];
    return std::setvbuf(stdout, storage, _IOFBF, sizeof storage) == 0;
  }();
  (void)done;
}

void Write(std::string_view bytes) {
  UseLargeBuffer();
  if (bytes.size() >= kDirectBytes) {
    if (std::fflush(stdout) != 0) Failed(errno);
    if (const int err = WriteAll(STDOUT_FILENO, bytes)) Failed(err);
    return;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) Failed(errno);
}

void OutputBuffer::Flush() {
  Write({bytes_.data(), used_});
  used_ = 0;
}

void OutputBuffer::Grow(std::size_t count) {
  bytes_.resize(std::max(2 * bytes_.size(), used_ + count));
}

void Print(const char* format, ...) {
  UseLargeBuffer();
  va_list values;
  va_start(values, format);
  const int printed = std::vprintf(format, values);
  const int err = errno;
  va_end(values);
  if (printed < 0) Failed(err);
}

void FinishOutput() {
  if (std::fflush(stdout) != 0) Failed(errno);
  if (std::ferror(stdout)) Failed(0);
  if (std::fclose(stdout) != 0) Failed(errno);
}

void WriteFile(const std::string& path, std::string_view bytes) {
  struct stat st {};
  const bool special = stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
  if (int err = special ? WriteDirectly(path, bytes) : WriteWhole(path, bytes))
    throw OutputError(path + ": cannot be written: " + std::strerror(err));
}

}  // namespace vornelle::tools
