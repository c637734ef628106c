#pragma once
// What vornelle-db writes to stdout and to --output files. Values go out by their length (a
// NUL in a memo value is a byte like any other), and a write that fails ends the command with
// OutputError: output lost to a full disk or a closed pipe is never reported as success.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "tools/db/cli.h"

namespace vornelle::tools {

// "cannot write the output: No space left on device", or for a file
// "FILE: cannot be written: No space left on device".
class OutputError : public ToolError {
 public:
  using ToolError::ToolError;
};

// The characters of UTF-8 text: the columns it takes on a terminal, for text without wide or
// combining characters.
std::size_t DisplayWidth(std::string_view utf8);

// Writes the bytes to stdout.
void Write(std::string_view bytes);
// Output of many lines gathered in one reused buffer and written to stdout in large pieces.
// A writer asks for room once and puts bytes there directly, without a call or a check per
// piece.
class OutputBuffer {
 public:
  // Room for `count` more bytes after what is held (grown when a line needs more); Advance
  // by the bytes put there.
  char* Room(std::size_t count) {
    if (count > bytes_.size() - used_) Grow(count);
    return bytes_.data() + used_;
  }
  void Advance(std::size_t count) { used_ += count; }
  void Append(std::string_view text) {
    std::memcpy(Room(text.size()), text.data(), text.size());
    used_ += text.size();
  }
  // Writes out what is held once a line ends past the piece size.
  void EndLine() {
    if (used_ >= kPiece) Flush();
  }
  void Flush();

 private:
  // Small enough to stay in the processor's caches.
  static constexpr std::size_t kPiece = 128 << 10;
  void Grow(std::size_t count);
  std::vector<char> bytes_ = std::vector<char>(2 * kPiece);
  std::size_t used_ = 0;
};

// printf to stdout, for fixed texts, numbers and names (a %s value ends at a NUL: values go
// through Write).
void Print(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Flushes and closes stdout; OutputError when that, or any write before, failed. The last
// thing a command that succeeded does.
void FinishOutput();

// Puts `bytes` into the file `path` whole or not at all: a regular file (or a new one) is
// written beside it under another name and renamed over it once complete and synced, keeping
// the old file's permissions; anything else (a device, a pipe) is written directly. OutputError
// naming the file when it cannot be.
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace vornelle::tools
