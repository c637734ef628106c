// Sharing tables with other programs: share modes, record and append locks held by a second
// process, locks that belong to the open table rather than the process, and concurrent appends.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/support/peer.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::Peer;
using testing::RawTable;
using testing::RaisedMessage;
using testing::ReadFileBytes;

// The lock peer program (lock_peer.cpp).
Peer LockPeer(std::vector<std::string> args) { return Peer(LOCK_PEER_PATH, std::move(args)); }

class Sharing : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    RawTable t;
    t.fields = {{"TEXT", 'C', 20}};
    for (int i = 1; i <= 5; ++i) t.records.push_back(" row" + std::to_string(i));
    path_ = dir_.File("shared.dbf");
    t.WriteTo(path_);
  }
  std::string path_;
};

TEST_F(Sharing, RecordLockHeldElsewhereIsRefusedAtOnce) {
  USE(path_);
  Go(3);
  ASSERT_TRUE(RLock());
  EXPECT_EQ(LockPeer({"rlock", path_, "3"}).Line(), "0");
  EXPECT_EQ(LockPeer({"rlock", path_, "4"}).Line(), "1");
  Peer holder = LockPeer({"hold-rlock", path_, "2"});
  ASSERT_EQ(holder.Line(), "1");
  Go(2);
  EXPECT_FALSE(RLock());
  EXPECT_EQ(holder.Finish(), 0);
  EXPECT_TRUE(RLock());
}

TEST_F(Sharing, AppendLockHeldElsewhere) {
  Peer holder = LockPeer({"hold-alock", path_});
  ASSERT_EQ(holder.Line(), "1");
  USE(path_);
  EXPECT_FALSE(ALock());
  holder.Finish();
  EXPECT_TRUE(ALock());
}

TEST_F(Sharing, ExclusiveOpensExcludeSharedOnes) {
  USE(path_ + " EXCLUSIVE");
  EXPECT_EQ(LockPeer({"open", path_}).Line(), "32");
  CloseArea();
  Peer holder = LockPeer({"hold-open", path_});
  ASSERT_EQ(holder.Line(), "0");
  EXPECT_EQ(RaisedMessage([&] { USE(path_ + " EXCLUSIVE"); }).substr(0, 36),
            "Error # 32 (File sharing violation)\r");
  EXPECT_EQ(LockPeer({"open", path_, "EXCLUSIVE"}).Line(), "32");
  USE(path_);  // sharing with a sharer is fine
}

TEST_F(Sharing, LocksBelongToTheOpenTableNotTheProcess) {
  USE(path_ + " ALIAS FIRST");
  Go(1);
  ASSERT_TRUE(RLock());
  Select(2);
  USE(path_ + " ALIAS SECOND");
  Go(1);
  EXPECT_FALSE(RLock());  // another work area is another open: it is refused like a program
  Go(2);
  EXPECT_TRUE(RLock());
  CloseArea();  // closing one open keeps the other's locks
  EXPECT_EQ(LockPeer({"rlock", path_, "1"}).Line(), "0");
}

TEST_F(Sharing, NetworkModeOffOpensEverythingExclusively) {
  Switches().network = false;
  USE(path_);
  EXPECT_TRUE(Current()->exclusive);
  EXPECT_TRUE(RLock());
  EXPECT_EQ(LockPeer({"open", path_}).Line(), "32");
}

TEST_F(Sharing, ConcurrentAppendsLoseNothing) {
  constexpr int kEach = 1000;
  {
    Peer first = LockPeer({"append", path_, std::to_string(kEach), "A"});
    Peer second = LockPeer({"append", path_, std::to_string(kEach), "B"});
    EXPECT_EQ(first.Finish(), 0);
    EXPECT_EQ(second.Finish(), 0);
  }
  USE(path_);
  EXPECT_EQ(RecCount(), 5 + 2 * kEach);
  std::map<char, std::set<int>> seen;
  for (GoTop(); !dEOF(); Skip(1)) {
    std::string text(FieldAddress(1) + 1, 20);
    if (RecNo() <= 5) continue;
    ASSERT_EQ(text[1], ':') << "record " << RecNo() << " is damaged: " << text;
    EXPECT_EQ(FieldAddress(0)[0], 0);
    seen[text[0]].insert(std::stoi(text.substr(2)));
  }
  EXPECT_EQ(seen['A'].size(), static_cast<std::size_t>(kEach));
  EXPECT_EQ(seen['B'].size(), static_cast<std::size_t>(kEach));
  CloseArea();
  std::string bytes = ReadFileBytes(path_);
  uint32_t header_count;
  std::memcpy(&header_count, bytes.data() + 4, 4);
  EXPECT_EQ(header_count, 5u + 2 * kEach);
  EXPECT_EQ(bytes.size(), 32u + 32 + 1 + (5 + 2 * kEach) * 21 + 1);
  EXPECT_EQ(bytes.back(), '\x1A');
}

}  // namespace
}  // namespace vornelle::engine
