// Tables travel between programs: what the engine writes, another dBASE-family reader reads
// exactly; what another writer makes, the engine reads exactly.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/engine.h"
#include "platform/codepage.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

constexpr int kRows = 40;

// The sample rows of peers.py, in ANSI.
struct Sample {
  std::string name;
  double amount;
  int32_t count;
  std::string day;  // YYYYMMDD or blank
  bool flag;
  std::string note;  // empty: no memo
};

Sample SampleRow(int i) {
  Sample s;
  s.name = platform::Utf8ToAnsi("Name " + std::to_string(i) + " Müller").substr(0, 20);
  s.amount = std::round(i * 1.25 * 100) / 100;
  s.count = i * 7;
  if (i % 7 != 6) {
    char ymd[16];
    std::snprintf(ymd, sizeof ymd, "%04d%02d%02d", 2000 + i % 30, 1 + i % 12, 1 + i % 28);
    s.day = ymd;
  }
  s.flag = i % 2 == 0;
  if (i % 5 != 4)
    s.note = platform::Utf8ToAnsi("Memo " + std::to_string(i) + "\r\nsecond line ü " +
                                  std::string(static_cast<std::size_t>(i * 37 % 700), 'x'));
  return s;
}

// Runs a command and returns its exit status and output.
int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) *output += buffer;
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Peers() { return std::string(PEER_PYTHON) + " " + PEERS_SCRIPT; }

class Interop : public testing::EngineTest,
                public ::testing::WithParamInterface<uint8_t> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Switches().oem = true;  // themes keep their text in the OEM code page
    Switches().century = true;
  }
};

void SetText(int field, const std::string& text) {
  char* p = FieldAddress(field);
  std::size_t width = static_cast<unsigned char>(p[0]);
  std::memset(p + 1, ' ', width);
  std::memcpy(p + 1, text.data(), std::min(width, text.size()));
}

TEST_P(Interop, WhatTheEngineWritesOthersRead) {
  Switches().default_memo_type = GetParam();
  std::string path = dir_.File("written.dbf");
  CreateDbf(path, {{"NAME", 'C', 20, 0}, {"AMOUNT", 'N', 10, 2}, {"COUNT", 'N', 6, 0},
                   {"DAY", 'D', 8, 0}, {"FLAG", 'L', 1, 0}, {"NOTE", 'M', 10, 0}});
  USE(path);
  for (int i = 0; i < kRows; ++i) {
    Sample s = SampleRow(i);
    ClearRecord();
    SetText(1, s.name);
    std::memcpy(FieldAddress(2), &s.amount, 8);
    std::memcpy(FieldAddress(3), &s.count, 4);
    if (!s.day.empty()) {
      std::string shown = s.day.substr(4, 2) + "/" + s.day.substr(6, 2) + "/" + s.day.substr(0, 4);
      FieldAddress(4)[0] = 10;
      std::memcpy(FieldAddress(4) + 1, shown.data(), 10);
    }
    FieldAddress(5)[0] = s.flag ? 1 : 0;
    int32_t block = WriteMemoValue(s.note, true);
    std::memcpy(FieldAddress(6), &block, 4);
    ASSERT_TRUE(ALock());
    Append();
    Unlock();
  }
  CloseAll();
  std::string output;
  EXPECT_EQ(RunCommand(Peers() + " check " + path + " " + std::to_string(kRows), &output), 0) << output;
}

TEST_P(Interop, WhatOthersWriteTheEngineReads) {
  if (GetParam() == 0x8B) GTEST_SKIP() << "the peer writer makes dBASE III and FoxPro memos";
  std::string kind = GetParam() == 0x83 ? "db3" : "fp";
  std::string path = dir_.File("peer_" + kind + ".dbf");
  std::string output;
  ASSERT_EQ(RunCommand(Peers() + " make " + kind + " " + path + " " + std::to_string(kRows), &output), 0)
      << output;
  USE(path);
  EXPECT_EQ(Current()->version, GetParam());
  ASSERT_EQ(RecCount(), kRows);
  for (GoTop(); !dEOF(); Skip(1)) {
    Sample s = SampleRow(RecNo() - 1);
    SCOPED_TRACE("record " + std::to_string(RecNo()));
    std::string name(FieldAddress(1) + 1, 20);
    EXPECT_EQ(name.substr(0, name.find_last_not_of(' ') + 1), s.name);
    double amount;
    std::memcpy(&amount, FieldAddress(2), 8);
    EXPECT_DOUBLE_EQ(amount, s.amount);
    int32_t count;
    std::memcpy(&count, FieldAddress(3), 4);
    EXPECT_EQ(count, s.count);
    std::string shown(FieldAddress(4) + 1, 10);
    EXPECT_EQ(shown, s.day.empty() ? "  /  /    " : s.day.substr(4, 2) + "/" + s.day.substr(6, 2) + "/" + s.day.substr(0, 4));
    EXPECT_EQ(FieldAddress(5)[0] != 0, s.flag);
    int32_t block;
    std::memcpy(&block, FieldAddress(6), 4);
    EXPECT_EQ(ReadMemoValue(block, true), s.note);
  }
}

INSTANTIATE_TEST_SUITE_P(Families, Interop, ::testing::Values(0x83, 0x8B, 0xF5),
                         [](const auto& info) {
                           return info.param == 0x83 ? std::string("Dbase3")
                                  : info.param == 0x8B ? std::string("Dbase4")
                                                       : std::string("FoxPro");
                         });

}  // namespace
}  // namespace vornelle::engine
