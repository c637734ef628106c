#include "platform/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vornelle::platform {

namespace {

BoundedRead Failed(BoundedRead::Outcome outcome, int error = 0) {
  BoundedRead read;
  read.outcome = outcome;
  read.error = error;
  return read;
}

}  // namespace

BoundedRead ReadBoundedFile(const std::string& path, std::size_t limit, bool follow_links) {
  // Asked first, so that no device is opened at all: opening some has effects of its own.
  struct stat st {};
  if ((follow_links ? stat(path.c_str(), &st) : lstat(path.c_str(), &st)) != 0)
    return Failed(errno == ENOENT ? BoundedRead::kMissing : BoundedRead::kFailed, errno);
  if (!S_ISREG(st.st_mode)) return Failed(BoundedRead::kNotRegular);
  if (static_cast<std::size_t>(st.st_size) > limit) return Failed(BoundedRead::kTooLarge);

  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW));
  if (fd < 0) return Failed(errno == ELOOP ? BoundedRead::kNotRegular : BoundedRead::kFailed, errno);
  // The name may have been given to something else between the two looks.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Failed(BoundedRead::kNotRegular);
  }
  BoundedRead read;
  read.outcome = BoundedRead::kRead;
  read.bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), limit) + 1);
  std::size_t got = 0;
  // One byte past the bound tells a file that grew past it meanwhile.
  while (got < limit + 1) {
    if (got == read.bytes.size()) read.bytes.resize(std::min(limit + 1, got * 2 + 4096));
    const ssize_t n = ::read(fd, read.bytes.data() + got, read.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      close(fd);
      return Failed(BoundedRead::kFailed, err);
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  close(fd);
  if (got > limit) return Failed(BoundedRead::kTooLarge);
  read.bytes.resize(got);
  return read;
}

std::string SizeText(std::size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + " bytes";
}

std::string BoundedReadProblem(const BoundedRead& read, std::size_t limit) {
  switch (read.outcome) {
    case BoundedRead::kRead: return {};
    case BoundedRead::kMissing: return "no such file";
    case BoundedRead::kNotRegular: return "not a regular file";
    case BoundedRead::kTooLarge: return "larger than " + SizeText(limit);
    case BoundedRead::kFailed: break;
  }
  return std::strerror(read.error ? read.error : EIO);
}

}  // namespace vornelle::platform
