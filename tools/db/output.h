#pragma once
// What vornelle-db writes to stdout and to --output files. Values go out by their length (a
// NUL in a memo value is a byte like any other), and a write that fails ends the command with
// OutputError: output lost to a full disk or a closed pipe is never reported as success.

#include <string>
#include <string_view>

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
