#pragma once
// Reading a file whose name came from someone else: only a regular file, opened without waiting
// (a FIFO would wait for a writer for ever) and read up to a bound (a device such as /dev/zero
// never ends, a huge file would fill the memory). Nothing else is ever opened: the type is
// asked before the open and checked again on what was opened.

#include <cstddef>
#include <string>

namespace vornelle::platform {

struct BoundedRead {
  enum Outcome { kRead, kMissing, kNotRegular, kTooLarge, kFailed };
  Outcome outcome = kFailed;
  std::string bytes;  // the whole file, for kRead
  int error = 0;      // errno, for kMissing and kFailed
};

// `follow_links` false refuses a symbolic link as a file that is not regular.
BoundedRead ReadBoundedFile(const std::string& path, std::size_t limit, bool follow_links = true);

// Why a read did not give the file, for a message after the file's name: "no such file",
// "not a regular file", "larger than 16 MiB", or the system's reason. Empty for kRead.
std::string BoundedReadProblem(const BoundedRead& read, std::size_t limit);

// "16 MiB", "4 KiB", "100 bytes".
std::string SizeText(std::size_t bytes);

}  // namespace vornelle::platform
