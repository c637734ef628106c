#pragma once
// Helpers for tests: temporary folders, table files built byte by byte, and a fixture that
// gives each test a fresh engine that raises its errors.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace vornelle::testing {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  // Under `folder` instead, when it is given and is a folder.
  explicit TempDir(const std::string& folder);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A table file as other programs write it, for tests of foreign and damaged files.
struct RawField {
  std::string name;
  char type;
  uint8_t length;
  uint8_t decimals = 0;
  uint8_t flags = 0;  // Visual FoxPro's field flags
};
struct RawTable {
  uint8_t version = 0x03;
  std::vector<RawField> fields;
  std::vector<std::string> records;  // each the full record: deletion byte, then the fields
  int32_t header_count = -1;         // -1: the number of records
  bool end_mark = true;              // 0x1A after the last record

  // The file's bytes (dBASE III layout; level 7 when the version is 0x04 or 0x8C; Visual FoxPro
  // when it is 0x30 to 0x32, its memo flag set when a field is M).
  std::string Bytes() const;
  void WriteTo(const std::string& path) const;
};

// Each test starts with a fresh engine in which errors raise ETavrinError.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TempDir dir_;
};

// The message of the ETavrinError that `body` raises, or "" when it raises none.
template <typename Body>
std::string RaisedMessage(Body body) {
  try {
    body();
  } catch (const engine::ETavrinError& e) {
    return e.what();
  }
  return {};
}

// The context part of an engine message (after the CR LF).
std::string ContextOf(const std::string& message);

}  // namespace vornelle::testing
