// Changing records while another program holds the lock: the lock-failure events and their
// Retry, the message without a handler, and the locks given back after every change.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "tests/dataset/writing_fixture.h"
#include "tests/support/peer.h"

namespace vornelle::dataset {
namespace {

using testing::Peer;

Peer LockPeer(std::vector<std::string> args) { return Peer(LOCK_PEER_PATH, std::move(args)); }

class SharedUpdates : public testing::WritingTest {
 protected:
  void SetUp() override {
    WritingTest::SetUp();
    path_ = MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b"}, {"0103", "c"}});
    table_ = Open(path_);
  }
  void TearDown() override {
    table_.reset();
    WritingTest::TearDown();
  }

  // Edits THEDATE of record `recno` and posts.
  void PostDay(int recno, const std::string& day) {
    table_->SetRecNo(recno);
    table_->Edit();
    table_->FieldByName("THEDATE").SetAsString(day);
    table_->Post();
  }
  void AppendDay(const std::string& day) {
    table_->Append();
    table_->FieldByName("THEDATE").SetAsString(day);
    table_->Post();
  }
  std::string Day(int recno) const { return StoredField(path_, recno, "THEDATE"); }

  // A handler that asks for one more try and then gives up.
  static TTzLockFailedEvent RetryOnce(int& calls) {
    return [&calls](TTzFileDataSet&, bool& retry) { retry = ++calls == 1; };
  }
  // A handler that lets the peer go and tries again.
  static TTzLockFailedEvent ReleaseAndRetry(Peer& peer, int& calls) {
    return [&peer, &calls](TTzFileDataSet&, bool& retry) {
      ++calls;
      peer.Finish();
      retry = true;
    };
  }

  std::string path_;
  std::unique_ptr<TZuViv> table_;
};

TEST_F(SharedUpdates, PostOnALockedRecordWithoutHandlerTellsOnceAndChangesNothing) {
  Peer holder = LockPeer({"hold-rlock", path_, "2"});
  ASSERT_EQ(holder.Line(), "1");
  const std::string before = StoredRecord(path_, 2);
  int after_post = 0;
  table_->AfterPost = [&](framework::TDataSet&) { ++after_post; };
  // The caller is told by an EAbort; the edit stays, and no AfterPost claims it was stored.
  EXPECT_THROW(PostDay(2, "0909"), platform::EAbort);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Lock failed [Post]"});
  EXPECT_EQ(StoredRecord(path_, 2), before);
  EXPECT_EQ(table_->State(), framework::dsEdit);
  EXPECT_EQ(table_->FieldByName("THEDATE").AsString(), "0909");
  EXPECT_EQ(after_post, 0);

  // Once the lock is free the same edit goes through.
  EXPECT_EQ(holder.Finish(), 0);
  Messages().clear();
  table_->Post();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Day(2), "0909");
  EXPECT_EQ(after_post, 1);
}

TEST_F(SharedUpdates, PostRetriesAsLongAsTheHandlerAsks) {
  Peer holder = LockPeer({"hold-rlock", path_, "2"});
  ASSERT_EQ(holder.Line(), "1");
  int calls = 0;
  table_->OnRLockFailedOnPost = RetryOnce(calls);
  EXPECT_THROW(PostDay(2, "0909"), platform::EAbort);
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Day(2), "0102");
}

TEST_F(SharedUpdates, HandlerThatFreesTheLockGetsThePostThrough) {
  Peer holder = LockPeer({"hold-rlock", path_, "2"});
  ASSERT_EQ(holder.Line(), "1");
  int calls = 0;
  TTzFileDataSet* sender = nullptr;
  table_->OnRLockFailedOnPost = [&](TTzFileDataSet& s, bool& retry) {
    sender = &s;
    ReleaseAndRetry(holder, calls)(s, retry);
  };
  PostDay(2, "0909");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sender, table_.get());
  EXPECT_EQ(Day(2), "0909");
  EXPECT_EQ(table_->FieldByName("THEDATE").AsString(), "0909");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SharedUpdates, ALockOnAnotherRecordDoesNotStandInTheWay) {
  Peer holder = LockPeer({"hold-rlock", path_, "1"});
  ASSERT_EQ(holder.Line(), "1");
  LockEvents events;
  Watch(*table_, events);
  PostDay(2, "0909");
  table_->Delete();
  EXPECT_EQ(events.Total(), 0);
  EXPECT_EQ(Day(2), "0909");
  EXPECT_EQ(StoredRecord(path_, 2)[0], '*');
}

TEST_F(SharedUpdates, AppendWhileTheAppendLockIsHeldWithoutHandlerTellsOnce) {
  Peer holder = LockPeer({"hold-alock", path_});
  ASSERT_EQ(holder.Line(), "1");
  const std::string before = testing::ReadFileBytes(path_);
  EXPECT_THROW(AppendDay("0909"), platform::EAbort);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Lock failed [Insert]"});
  EXPECT_EQ(table_->State(), framework::dsInsert);  // the new record is still there to save
  EXPECT_EQ(table_->RecordCount(), 3);
  EXPECT_EQ(testing::ReadFileBytes(path_), before);
}

TEST_F(SharedUpdates, AppendRetriesAsLongAsTheHandlerAsks) {
  Peer holder = LockPeer({"hold-alock", path_});
  ASSERT_EQ(holder.Line(), "1");
  int calls = 0;
  table_->OnALockFailedOnInsert = RetryOnce(calls);
  EXPECT_THROW(AppendDay("0909"), platform::EAbort);
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(table_->RecordCount(), 3);
  table_->Cancel();

  calls = 0;
  table_->OnALockFailedOnInsert = ReleaseAndRetry(holder, calls);
  AppendDay("0909");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(table_->RecordCount(), 4);
  EXPECT_EQ(table_->RecNo(), 4);
  EXPECT_EQ(Day(4), "0909");
}

TEST_F(SharedUpdates, DeleteOfALockedRecordWaitsForTheHandler) {
  Peer holder = LockPeer({"hold-rlock", path_, "3"});
  ASSERT_EQ(holder.Line(), "1");
  table_->Last();
  int after_delete = 0;
  table_->AfterDelete = [&](framework::TDataSet&) { ++after_delete; };
  EXPECT_THROW(table_->Delete(), platform::EAbort);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Lock failed [Delete]"});
  EXPECT_EQ(StoredRecord(path_, 3)[0], ' ');
  EXPECT_EQ(table_->RecNo(), 3);
  EXPECT_EQ(after_delete, 0);

  Messages().clear();
  int calls = 0;
  table_->OnRLockFailedOnDelete = RetryOnce(calls);
  EXPECT_THROW(table_->Delete(), platform::EAbort);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(StoredRecord(path_, 3)[0], ' ');

  calls = 0;
  table_->OnRLockFailedOnDelete = ReleaseAndRetry(holder, calls);
  table_->Delete();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(StoredRecord(path_, 3)[0], '*');
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SharedUpdates, EveryChangeGivesItsLockBack) {
  PostDay(2, "0909");
  EXPECT_EQ(LockPeer({"rlock", path_, "2"}).Line(), "1");
  AppendDay("0910");
  EXPECT_EQ(LockPeer({"alock", path_}).Line(), "1");
  table_->Delete();
  EXPECT_EQ(LockPeer({"rlock", path_, "4"}).Line(), "1");
  // Also when the change moved the dataset off a record the filter hides now.
  table_->SetFilterTo("(THEDATE<>\"9999\")");
  PostDay(1, "9999");
  EXPECT_EQ(table_->RecNo(), 2);
  EXPECT_EQ(LockPeer({"rlock", path_, "1"}).Line(), "1");
}

// The record lock of a post stays held when the engine raises inside the post.
TEST_F(SharedUpdates, EngineFailureInAPostGivesTheRecordLockBack) {
  table_->Next();
  table_->Edit();
  table_->FieldByName("THEDATE").SetAsString("0909");
  platform::faults::FailNthWrite(1, 29);
  EXPECT_NE(testing::FailureOf([&] { table_->Post(); }), "");
  platform::faults::Clear();
  table_->Cancel();
  EXPECT_EQ(LockPeer({"rlock", path_, "2"}).Line(), "1");
  // Nor does the leftover lock keep the component's own next append out.
  AppendDay("0910");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Day(4), "0910");
}

// The append lock stays held when the engine raises inside an append.
TEST_F(SharedUpdates, EngineFailureInAnAppendGivesTheAppendLockBack) {
  table_->Append();
  table_->FieldByName("THEDATE").SetAsString("0909");
  platform::faults::FailNthWrite(1, 29);
  EXPECT_NE(testing::FailureOf([&] { table_->Post(); }), "");
  platform::faults::Clear();
  table_->Cancel();
  EXPECT_EQ(LockPeer({"alock", path_}).Line(), "1");
  PostDay(1, "0808");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Day(1), "0808");
}

}  // namespace
}  // namespace vornelle::dataset
