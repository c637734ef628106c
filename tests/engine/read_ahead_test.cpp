// Reading records ahead: a move reads the records it passes over together, yet the record it
// stops on shows what another program wrote before the move began; an exclusive table keeps
// what it read across moves and sees its own writes in it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine.h"
#include "platform/error_codes.h"
#include "platform/file.h"
#include "tests/support/peer.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::Peer;
using testing::RawTable;

constexpr int kRecords = 1000;

std::string Text() {
  std::string text(FieldAddress(1) + 1, static_cast<unsigned char>(FieldAddress(1)[0]));
  return text.erase(text.find_last_not_of(' ') + 1);
}

void SetText(const std::string& text) {
  char* field = FieldAddress(1);
  std::memset(field + 1, ' ', static_cast<unsigned char>(field[0]));
  std::memcpy(field + 1, text.data(), text.size());
}

bool IsHit(void*, int) { return Text().rfind("hit", 0) == 0; }

// Counts the visible records from the top, failing the test on an engine error.
int CountForward() {
  int seen = 0;
  for (GoTop(); !dEOF(); Skip(1)) ++seen;
  return seen;
}

class ReadAhead : public testing::EngineTest {
 protected:
  // Records "row1".."row1000", with the given record numbers holding "hitN" instead.
  void SetUp() override {
    EngineTest::SetUp();
    SetRaise(true);
    RawTable t;
    t.fields = {{"TEXT", 'C', 20}};
    for (int i = 1; i <= kRecords; ++i)
      t.records.push_back((i == 1 || i == 600 ? " hit" : " row") + std::to_string(i));
    path_ = dir_.File("ahead.dbf");
    t.WriteTo(path_);
  }
  void TearDown() override {
    platform::faults::Clear();
    EngineTest::TearDown();
  }
  // Another program writes `text` into record n.
  void PeerWrites(int n, const std::string& text) {
    EXPECT_EQ(Peer(LOCK_PEER_PATH, {"replace", path_, std::to_string(n), text}).Line(), "1");
  }
  std::string path_;
};

TEST_F(ReadAhead, SharedMovesShowWhatAnotherProgramWroteBeforeThem) {
  USE(path_);
  SetFilterRoutine(IsHit, nullptr);
  GoTop();
  ASSERT_EQ(RecNo(), 1);
  Skip(1);  // passes over 2..599 and reads beyond 600 in the same move
  ASSERT_EQ(RecNo(), 600);

  // A record the scan has not reached yet, though the last move read it ahead.
  PeerWrites(601, "hit601 new");
  Skip(1);
  EXPECT_EQ(RecNo(), 601);
  EXPECT_EQ(Text(), "hit601 new");

  // One the scan passed over inside an earlier move.
  PeerWrites(300, "hit300 new");
  Skip(-1);
  EXPECT_EQ(RecNo(), 600);
  Skip(-1);
  EXPECT_EQ(RecNo(), 300);
  EXPECT_EQ(Text(), "hit300 new");

  // The record the scan stands on, changed before the next move looks at it again.
  PeerWrites(300, "row300 gone");
  Skip(0);
  EXPECT_EQ(Text(), "row300 gone");
  GoTop();
  Skip(1);
  EXPECT_EQ(RecNo(), 600);
}

TEST_F(ReadAhead, AMoveReadsThePassedOverRecordsTogether) {
  PeerWrites(600, "row600");
  PeerWrites(kRecords, "hit last");
  USE(path_);
  SetFilterRoutine(IsHit, nullptr);
  // One record at a time, the move from the first to the last would take 999 reads.
  platform::faults::FailNthRead(12, platform::kReadFault);
  Skip(1);
  EXPECT_EQ(RecNo(), kRecords);
  EXPECT_EQ(Text(), "hit last");
}

TEST_F(ReadAhead, SharedTablesReadEveryMoveAfresh) {
  USE(path_);
  GoTop();
  platform::faults::FailNthRead(2, platform::kReadFault);
  Skip(1);
  EXPECT_NE(testing::RaisedMessage([] { Skip(1); }), "");  // the second move read the file again
}

TEST_F(ReadAhead, ExclusiveTablesReadAheadAcrossMovesAndSeeTheirOwnWrites) {
  USE(path_ + " EXCLUSIVE");
  GoTop();
  platform::faults::FailNthRead(2, platform::kReadFault);  // the first read brings them all
  EXPECT_EQ(CountForward(), kRecords);
  platform::faults::Clear();

  Go(500);
  SetText("changed 500");
  Replace();
  Go(700);
  DeleteRec();
  Poke("poked 800", 1, 800);
  GoTop();
  Skip(499);
  EXPECT_EQ(Text(), "changed 500");
  Skip(300);
  EXPECT_EQ(Text(), "poked 800");
  SetIgnoreDel(true);
  EXPECT_EQ(CountForward(), kRecords - 1);

  Go(kRecords);
  SetText("appended");
  Append();
  GoBottom();
  EXPECT_EQ(RecNo(), kRecords + 1);
  EXPECT_EQ(Text(), "appended");
  Skip(-1);
  EXPECT_EQ(Text(), "row1000");

  // A write that fails part-way: what was read ahead gives way to what the file now holds.
  Go(400);
  SetText("torn record");
  platform::faults::FailNthWrite(1, platform::kDiskFull, 8);
  EXPECT_NE(testing::RaisedMessage([] { Replace(); }), "");
  GoTop();
  Skip(399);
  EXPECT_EQ(Text(), "torn re");
}

TEST_F(ReadAhead, ASequentialScanSeesAppendsItHasNotReachedYet) {
  UseTable(path_, {false, "", /*sequential=*/true});
  GoTop();
  platform::faults::FailNthRead(2, platform::kReadFault);  // one read brings every record
  Skip(kRecords / 2);
  platform::faults::Clear();
  // Another program appends while the scan is half way: the scan reads on past the count it
  // knew once its window runs out.
  EXPECT_EQ(Peer(LOCK_PEER_PATH, {"append", path_, "3", "late"}).Finish(), 0);
  int seen = 0;
  while (!dEOF()) {
    ++seen;
    Skip(1);
  }
  EXPECT_EQ(seen, kRecords / 2 + 3);
}

}  // namespace
}  // namespace vornelle::engine
