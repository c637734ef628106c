// Moving through records: the BOF/EOF rules, deleted records, host filters and while
// conditions, the record-moved hook, and appends by other programs.

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "engine/engine.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::ContextOf;
using testing::RawTable;
using testing::RaisedMessage;

class Navigate : public testing::EngineTest {
 protected:
  // Records 1..n with KEY "R01".."Rnn"; the numbers in `deleted` are marked deleted.
  std::string Table(int n, std::vector<int> deleted = {}) {
    RawTable t;
    t.fields = {{"KEY", 'C', 3}};
    for (int i = 1; i <= n; ++i) {
      bool del = std::find(deleted.begin(), deleted.end(), i) != deleted.end();
      char row[8];
      std::snprintf(row, sizeof row, "%cR%02d", del ? '*' : ' ', i);
      t.records.push_back(row);
    }
    path_ = dir_.File("nav.dbf");
    t.WriteTo(path_);
    return path_;
  }
  static std::string Key() { return std::string(FieldAddress(1) + 1, 3); }
  std::string path_;
};

TEST_F(Navigate, ForwardToTheEndAndPastIt) {
  USE(Table(3));
  std::vector<int> seen;
  for (GoTop(); !dEOF(); Skip(1)) seen.push_back(RecNo());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(RecNo(), 4);
  EXPECT_FALSE(dBOF());
  EXPECT_EQ(Key(), "   ");  // the phantom record is blank
  EXPECT_EQ(ContextOf(RaisedMessage([] { Skip(1); })),
            "Database \"" + path_ + "\" is past EOF. [SKIP]");
}

TEST_F(Navigate, HeaderCountBeyondRecordNumbersStillMoves) {
  // A damaged header claims 2^31 records; the count is capped so that the record after the
  // last still has a number.
  RawTable t;
  t.fields = {{"KEY", 'C', 3}};
  t.records = {" R01", " R02"};
  t.header_count = static_cast<int32_t>(0x7FFFFFFF);
  const std::string path = dir_.File("huge.dbf");
  std::string bytes = t.Bytes();
  bytes[7] = static_cast<char>(0x80);  // 0x80000000 and more
  testing::WriteFileBytes(path, bytes);
  USE(path + " EXCLUSIVE");
  EXPECT_EQ(RecCount(), INT32_MAX - 1);
  Skip(1);
  EXPECT_EQ(RecNo(), 2);
  // Records the file does not hold are an error, and so is a number past the count.
  EXPECT_NE(RaisedMessage([] { Skip(1); }), "");
  EXPECT_NE(RaisedMessage([] { Go(INT32_MAX); }), "");
  EXPECT_EQ(RecNo(), INT32_MAX);
  EXPECT_TRUE(dEOF());
  EXPECT_NE(RaisedMessage([] { Skip(1); }), "");  // past EOF
  CloseAll();
  // Shared, the count comes from the file's size.
  USE(path);
  EXPECT_EQ(RecCount(), 2);
  GoBottom();
  Skip(1);
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(RecNo(), 3);
}

TEST_F(Navigate, BackwardStopsAtTheFirstRecord) {
  USE(Table(3));
  GoBottom();
  EXPECT_EQ(RecNo(), 3);
  Skip(-5);
  EXPECT_EQ(RecNo(), 1);
  EXPECT_TRUE(dBOF());
  EXPECT_EQ(Key(), "R01");
  Skip(-1);  // nothing happens at BOF
  EXPECT_EQ(RecNo(), 1);
  Skip(2);
  EXPECT_EQ(Key(), "R03");
  Skip(-1);
  EXPECT_EQ(Key(), "R02");
}

TEST_F(Navigate, FromTheEndBackwards) {
  USE(Table(3));
  GoBottom();
  Skip(1);
  ASSERT_TRUE(dEOF());
  Skip(-1);
  EXPECT_EQ(RecNo(), 3);
  EXPECT_FALSE(dEOF());
}

TEST_F(Navigate, DeletedRecordsHiddenOrShown) {
  USE(Table(6, {1, 2, 3, 5}));
  GoTop();
  EXPECT_EQ(RecNo(), 1);  // shown by default
  SetIgnoreDel(true);
  GoTop();
  EXPECT_EQ(RecNo(), 4);
  Skip(1);
  EXPECT_EQ(RecNo(), 6);
  Skip(-1);
  EXPECT_EQ(RecNo(), 4);
  Skip(-1);
  EXPECT_TRUE(dBOF());
  EXPECT_EQ(RecNo(), 4);
  GoBottom();
  EXPECT_EQ(RecNo(), 6);
  Go(2);  // Go does not look at the deleted mark
  EXPECT_EQ(RecNo(), 2);
  Skip(0);  // refreshes, keeps the record
  EXPECT_EQ(RecNo(), 2);
  EXPECT_EQ(FieldAddress(0)[0], 1);
}

TEST_F(Navigate, NothingVisibleMeansBofAndEof) {
  USE(Table(3, {1, 2, 3}));
  SetIgnoreDel(true);
  GoTop();
  EXPECT_TRUE(dBOF());
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(RecNo(), 4);
  GoBottom();
  EXPECT_TRUE(dBOF());
  EXPECT_TRUE(dEOF());
}

TEST_F(Navigate, GoOutOfRange) {
  USE(Table(3));
  Go(2);
  EXPECT_EQ(ContextOf(RaisedMessage([] { Go(0); })),
            "Invalid record number = 0 Database \"" + path_ + "\" [GO]");
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(Key(), "R02");  // the buffers keep what they held
  EXPECT_FALSE(SafeGo(9));
  EXPECT_TRUE(SafeGo(3));
  EXPECT_EQ(Key(), "R03");
  Dbf4RawGo(7);
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(Key(), "   ");
}

TEST_F(Navigate, EmptyTable) {
  RawTable t;
  t.fields = {{"KEY", 'C', 3}};
  t.WriteTo(dir_.File("empty.dbf"));
  USE(dir_.File("empty.dbf"));
  GoTop();
  GoBottom();
  Skip(0);
  EXPECT_EQ(RecNo(), 0);
  EXPECT_EQ(ContextOf(RaisedMessage([] { Skip(-1); })),
            "Database \"" + dir_.File("empty.dbf") + "\" is empty. [SKIP]");
  EXPECT_NE(RaisedMessage([] { Go(1); }), "");
}

int KeyNumber() { return std::stoi(std::string(FieldAddress(1) + 2, 2)); }

bool KeyIsEven(void*, int) { return KeyNumber() % 2 == 0; }

TEST_F(Navigate, HostFilterDrivesEveryMove) {
  USE(Table(7));
  SetFilterRoutine(KeyIsEven, nullptr);
  GoTop();
  EXPECT_EQ(RecNo(), 2);
  Skip(2);
  EXPECT_EQ(RecNo(), 6);
  Skip(1);
  EXPECT_TRUE(dEOF());
  GoBottom();
  EXPECT_EQ(RecNo(), 6);
  Skip(-1);
  EXPECT_EQ(RecNo(), 4);
  Skip(-5);
  EXPECT_TRUE(dBOF());
  EXPECT_EQ(RecNo(), 2);
}

bool KeyBelowFive(void*, int) { return KeyNumber() < 5; }

TEST_F(Navigate, WhileConditionEndsTheScan) {
  USE(Table(8));
  SetWhileRoutine(KeyBelowFive, nullptr);
  EXPECT_TRUE(IsWhileOn());
  GoTop();
  int steps = 0;
  while (!dEOF() && steps < 20) {
    Skip(1);
    ++steps;
  }
  EXPECT_EQ(steps, 4);  // records 2, 3, 4, then 5 fails the condition
  EXPECT_EQ(RecNo(), 5);
  GoBottomWhile();
  EXPECT_EQ(RecNo(), 4);  // the last record the condition holds for
  GoTopWhile();
  EXPECT_EQ(RecNo(), 1);
}

int g_moves = 0;
void CountMove(int) { ++g_moves; }
void MoveElsewhere(int) { Go(1); }

TEST_F(Navigate, RecordMovedHook) {
  USE(Table(3));
  g_moves = 0;
  EXPECT_EQ(SetRecordMovedHook(CountMove), nullptr);
  GoTop();
  Skip(1);
  Go(3);
  GoBottom();
  EXPECT_EQ(g_moves, 4);
  SetRecordMovedHook(MoveElsewhere);
  EXPECT_EQ(RaisedMessage([] { Go(2); }),
            "Error # 224 (Cyclical relationship detected)\r\n" + path_);
}

TEST_F(Navigate, SharedTableSeesAnotherProgramsAppend) {
  USE(Table(2));
  GoBottom();
  // Another program appends a record over the end mark.
  int fd = ::open(path_.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  off_t end = lseek(fd, 0, SEEK_END);
  ASSERT_EQ(pwrite(fd, " R03\x1A", 5, end - 1), 5);
  ::close(fd);
  Skip(1);
  EXPECT_FALSE(dEOF());
  EXPECT_EQ(Key(), "R03");
  EXPECT_EQ(RecCount(), 3);
  CloseArea();
  // An exclusive table counts the records the file held when it was opened, though the header
  // still says 2, and then does not look again: it holds the file alone.
  USE(path_ + " EXCLUSIVE");
  EXPECT_EQ(RecCount(), 3);
}

// A scan that reads only the stored record, as the tool's listing does, visits what Skip(1)
// visits: deleted records by the rule, other programs' appends on the way, and a filter, a
// while condition and the moved hook (through Skip itself).
TEST_F(Navigate, StoredOnlyScanVisitsWhatSkipVisits) {
  struct Case {
    const char* name;
    bool hide_deleted;
    HostTestFn filter, while_holds;
    RecordMovedFn hook;
  };
  const Case cases[] = {
      {"every record", false, nullptr, nullptr, nullptr},
      {"deleted hidden", true, nullptr, nullptr, nullptr},
      {"filter", true, KeyIsEven, nullptr, nullptr},
      {"while", false, nullptr, KeyBelowFive, nullptr},
      {"moved hook", true, nullptr, nullptr, CountMove},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The keys the scan visits, and the hook's calls; another program appends R10 and R11 (the
    // latter deleted) when the scan stands on record 6.
    const auto visit = [&](bool stored_only) {
      USE(Table(9, {1, 4, 9}));
      SetIgnoreDel(c.hide_deleted);
      SetFilterRoutine(c.filter, nullptr);
      SetWhileRoutine(c.while_holds, nullptr);
      SetRecordMovedHook(c.hook);
      g_moves = 0;
      std::string seen;
      GoTop();
      for (bool more = !dEOF(); more; more = stored_only ? SkipStoredOnly() : (Skip(1), !dEOF())) {
        seen += std::string(Current()->raw.data() + 1, 3) + " ";
        if (RecNo() != 6) continue;
        int fd = ::open(path_.c_str(), O_WRONLY);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(pwrite(fd, " R10*R11\x1A", 9, lseek(fd, 0, SEEK_END) - 1), 9);
        ::close(fd);
      }
      EXPECT_TRUE(dEOF());
      seen += "moves " + std::to_string(g_moves);
      CloseArea();
      return seen;
    };
    const std::string expected = visit(false);
    EXPECT_EQ(visit(true), expected);
    if (!c.while_holds) {
      EXPECT_NE(expected.find("R10"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace vornelle::engine
