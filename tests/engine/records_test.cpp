// Records between the file and the typed buffer: unpacking and packing every field type, dates
// in every order, the OEM code page, updates, and Peek and Poke.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "engine/record_codec.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::ContextOf;
using testing::RawTable;
using testing::RaisedMessage;
using testing::ReadFileBytes;

double Double(int field) {
  double v;
  std::memcpy(&v, FieldAddress(field), 8);
  return v;
}
int32_t Int(int field) {
  int32_t v;
  std::memcpy(&v, FieldAddress(field), 4);
  return v;
}
std::string Counted(int field) {
  const char* p = FieldAddress(field);
  return std::string(p + 1, static_cast<unsigned char>(p[0]));
}
void SetCounted(int field, const std::string& text) {
  char* p = FieldAddress(field);
  p[0] = static_cast<char>(text.size());
  std::memcpy(p + 1, text.data(), text.size());
}

class Records : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    RawTable t;
    t.fields = {{"NAME", 'C', 6}, {"PRICE", 'N', 7, 2}, {"QTY", 'N', 4}, {"WHEN", 'D', 8},
                {"OK", 'L', 1}, {"NOTE", 'M', 10}};
    t.version = 0x83;
    t.records = {" M\x81ller   3.50  1220240229Y         7",
                 "*blank                            ",
                 " huge  9999.99-12320001345T"};
    path_ = dir_.File("rec.dbf");
    t.WriteTo(path_);
    testing::WriteFileBytes(dir_.File("rec.dbt"), std::string(512, '\0'));
  }
  std::string Stored(int recno) {
    std::string bytes = ReadFileBytes(path_);
    return bytes.substr(32 * 6 + 33 + static_cast<std::size_t>(recno - 1) * 37, 37);
  }
  std::string path_;
};

TEST_F(Records, UnpackEveryType) {
  Switches().oem = true;
  USE(path_);
  EXPECT_EQ(Counted(1), "M\xFCller");  // OEM 0x81 shows as ANSI 0xFC
  EXPECT_DOUBLE_EQ(Double(2), 3.5);
  EXPECT_EQ(Int(3), 12);
  EXPECT_EQ(Counted(4), "02/29/24");
  EXPECT_EQ(FieldAddress(5)[0], 1);
  EXPECT_EQ(Int(6), 7);
  EXPECT_EQ(FieldAddress(0)[0], 0);
  Skip(1);
  EXPECT_EQ(FieldAddress(0)[0], 1);
  EXPECT_DOUBLE_EQ(Double(2), 0);  // blank numbers are 0
  EXPECT_EQ(Counted(4), "  /  /  ");
  EXPECT_EQ(FieldAddress(5)[0], 0);
  EXPECT_EQ(Int(6), 0);
}

TEST_F(Records, DateOrdersAndCentury) {
  const std::pair<int, const char*> orders[] = {
      {0, "02/29/2024"}, {1, "2024.02.29"}, {2, "29/02/2024"}, {3, "29-02-2024"}, {5, "29.02.2024"}};
  for (auto [order, shown] : orders) {
    EXPECT_EQ(DisplayDate("20240229", order, true), shown);
    EXPECT_EQ(StoredDate(shown, order, 2026), "20240229") << order;
  }
  EXPECT_EQ(DisplayDate("20240229", 1, false), "24.02.29");
}

TEST_F(Records, TwoDigitYearsAndBadDates) {
  // The window starts 70 years back: in 2026, 56..99 are 1956..1999 and 00..55 are 2000..2055.
  EXPECT_EQ(StoredDate("01/01/56", 0, 2026), "19560101");
  EXPECT_EQ(StoredDate("01/01/55", 0, 2026), "20550101");
  EXPECT_EQ(WidenYear(99, 2026), 1999);
  EXPECT_EQ(StoredDate("02/29/2023", 0, 2026), "        ");
  EXPECT_EQ(StoredDate("13/45/2000", 0, 2026), "        ");
  EXPECT_EQ(StoredDate("  /  /  ", 0, 2026), "        ");
  EXPECT_EQ(StoredDate("", 0, 2026), "        ");
}

TEST_F(Records, TheYearIsAsWideAsItIsWritten) {
  // Not as wide as the text: a two-digit year may have blanks or other text after it.
  EXPECT_EQ(StoredDate("03/07/24  ", 0, 2026), "20240307");
  EXPECT_EQ(StoredDate("03/07/24 ", 0, 2026), "20240307");
  EXPECT_EQ(StoredDate("03/07/2024", 0, 2026), "20240307");
  EXPECT_EQ(StoredDate("07-03-24  ", 3, 2026), "20240307");
  EXPECT_EQ(StoredDate("24.03.07  ", 1, 2026), "20240307");
  EXPECT_EQ(StoredDate("2024.03.07", 1, 2026), "20240307");
  EXPECT_EQ(StoredDate("03/07/56  ", 0, 2026), "19560307") << "still widened in the window";
  EXPECT_EQ(StoredDate("03/07/245 ", 0, 2026), "        ") << "three digits are no year";
  EXPECT_EQ(StoredDate("2024.03.7", 1, 2026), "        ") << "the day cut short";
  EXPECT_EQ(StoredDate("  /  /    ", 0, 2026), "        ");
  // A date typed that way into the record buffer is stored.
  USE(path_ + " EXCLUSIVE");
  Go(1);
  SetCounted(4, "12/31/99  ");
  Replace();
  EXPECT_EQ(Stored(1).substr(18, 8), "19991231");
}

TEST_F(Records, NumbersThatDoNotFitBecomeAsterisks) {
  EXPECT_EQ(FormatNumber(3.14159, 6, 2), "  3.14");
  EXPECT_EQ(FormatNumber(-12, 4, 0), " -12");
  EXPECT_EQ(FormatNumber(123456, 4, 0), "****");
  EXPECT_EQ(FormatNumber(1e300, 7, 2), "*******");
  EXPECT_EQ(ParseInteger(" 1e3 "), 1000);
  EXPECT_EQ(ParseInteger("99999999999"), INT32_MAX);
  for (const auto& [text, value] : std::vector<std::pair<std::string, int32_t>>{
           {"   1234567", 1234567}, {"123456789", 123456789}, {"2147483647", INT32_MAX},
           {"0000000042", 42}, {"  -42", -42}, {" 42 ", 42}, {"  4 2", 4}, {"   ", 0}})
    EXPECT_EQ(ParseInteger(text), value) << "'" << text << "'";
  EXPECT_DOUBLE_EQ(ParseNumber(" +2.5"), 2.5);
  EXPECT_DOUBLE_EQ(ParseNumber("abc"), 0);
}

TEST_F(Records, ReplaceKeepsTheBytesOfTextThatWasNotChanged) {
  // Box drawing has no ANSI counterpart: the record shows look-alikes, which must never be
  // written over the stored bytes when another field of the record changes.
  RawTable t;
  t.fields = {{"LINE", 'C', 4}, {"WORD", 'C', 4}, {"QTY", 'N', 3}};
  t.records = {" \xC4\xC4\xB3\xDA\xC4\xC4\xB3\xDA  1"};
  const std::string box = dir_.File("box.dbf");
  t.WriteTo(box);
  auto record = [&] { return ReadFileBytes(box).substr(32 * 4 + 1, 12); };
  Switches().oem = true;
  USE(box + " EXCLUSIVE");
  EXPECT_EQ(Counted(1), "--|+");
  int32_t qty = 2;
  std::memcpy(FieldAddress(3), &qty, 4);
  Replace();
  EXPECT_EQ(record(), " \xC4\xC4\xB3\xDA\xC4\xC4\xB3\xDA  2");
  // Text that was changed is stored in the OEM page, look-alikes and all; the rest still keeps
  // its bytes on the next change.
  SetCounted(2, "\xC4-|+");
  Replace();
  EXPECT_EQ(record(), " \xC4\xC4\xB3\xDA\x8E-|+  2");
  qty = 3;
  std::memcpy(FieldAddress(3), &qty, 4);
  Replace();
  EXPECT_EQ(record(), " \xC4\xC4\xB3\xDA\x8E-|+  3");
}

TEST_F(Records, StoredNumbersRoundTiesAwayFromZero) {
  // Ties as the number reads in decimals, whether or not the double is exactly the tie.
  EXPECT_EQ(FormatNumber(2.5, 3, 0), "  3");
  EXPECT_EQ(FormatNumber(-2.5, 3, 0), " -3");
  EXPECT_EQ(FormatNumber(0.125, 5, 2), " 0.13");
  EXPECT_EQ(FormatNumber(2.675, 5, 2), " 2.68");  // held as 2.67499999...
  EXPECT_EQ(FormatNumber(0.1249, 5, 2), " 0.12");
  EXPECT_EQ(FormatNumber(9.995, 5, 2), "10.00");
  EXPECT_EQ(FormatNumber(99.95, 4, 1), "****") << "the carry makes it too wide";
  EXPECT_EQ(FormatNumber(-0.001, 5, 2), " 0.00") << "no sign on a zero";
  EXPECT_EQ(FormatNumber(0.5e-300, 4, 0), "   0");
  USE(path_ + " EXCLUSIVE");
  Go(1);
  double price = 0.125;
  std::memcpy(FieldAddress(2), &price, 8);
  Replace();
  EXPECT_EQ(Stored(1).substr(7, 7), "   0.13");
}

TEST_F(Records, ReplaceWritesWhatChangedAndKeepsTheRest) {
  Switches().oem = true;
  USE(path_ + " EXCLUSIVE");
  Go(3);
  // An invalid stored date and an odd number survive an update of another field.
  std::string before = Stored(3);
  SetCounted(1, "K\xF6ln  ");  // ANSI ö is stored as OEM 0x94
  Replace();
  std::string after = Stored(3);
  EXPECT_EQ(after.substr(1, 6), "K\x94ln  ");
  EXPECT_EQ(after.substr(7), before.substr(7));
  double price = 12345.678;
  std::memcpy(FieldAddress(2), &price, 8);
  int32_t qty = -5;
  std::memcpy(FieldAddress(3), &qty, 4);
  SetCounted(4, "12/31/99");
  FieldAddress(5)[0] = 0;
  Replace();
  after = Stored(3);
  EXPECT_EQ(after.substr(7, 7), "*******");
  EXPECT_EQ(after.substr(14, 4), "  -5");
  EXPECT_EQ(after.substr(18, 8), "19991231");
  EXPECT_EQ(after.substr(26, 1), "F");
  EXPECT_EQ(Counted(1), "K\xF6ln  ");  // the buffer shows what was stored, translated back
}

TEST_F(Records, AppendDeleteRecall) {
  USE(path_ + " EXCLUSIVE");
  ClearRecord();
  SetCounted(1, "new   ");
  Append();
  EXPECT_EQ(RecNo(), 4);
  EXPECT_EQ(RecCount(), 4);
  std::string stored = Stored(4);
  EXPECT_EQ(stored.substr(0, 7), " new   ");
  EXPECT_EQ(stored.substr(7), "   0.00   0        F          ");  // blank memo, blank date
  DeleteRec();
  EXPECT_EQ(Stored(4)[0], '*');
  RecallRec();
  EXPECT_EQ(Stored(4)[0], ' ');
  Skip(1);
  EXPECT_EQ(ContextOf(RaisedMessage([] { RecallRec(); })), path_ + " at EOF [RecallRec]");
  DeleteRec();  // past the end: nothing to do
  CloseArea();
  std::string bytes = ReadFileBytes(path_);
  EXPECT_EQ(bytes[4], 4);
  EXPECT_EQ(bytes.back(), '\x1A');
  EXPECT_EQ(bytes.size(), 32u * 6 + 33 + 4 * 37 + 1);
}

TEST_F(Records, DeleteWritesOneByte) {
  USE(path_ + " EXCLUSIVE");
  Go(1);
  SetCounted(1, "XXXXXX");  // changed in the buffer only
  DeleteRec();
  EXPECT_EQ(Stored(1).substr(0, 7), "*M\x81ller");
}

TEST_F(Records, UpdatesOnSharedTablesNeedLocks) {
  USE(path_);
  Go(3);
  RLock();
  Go(4 - 3);
  EXPECT_EQ(ContextOf(RaisedMessage([] { Replace(); })),
            "Record #1 in " + path_ + " [REPLACE]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { DeleteRec(); })),
            path_ + " Record not locked [DeleteRec]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { RecallRec(); })), "Record not locked [RecallRec]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { Append(); })),
            "File must be locked to append: " + path_ + " [APPEND]");
  EXPECT_FALSE(ALock());  // record locks are held
  Unlock();
  EXPECT_TRUE(ALock());
  EXPECT_FALSE(RLock());  // the append lock is held
  Append();
  Unlock();
  Go(1);
  EXPECT_TRUE(RLock());
  Replace();
}

TEST_F(Records, ReplaceAtTheEnds) {
  RawTable t;
  t.fields = {{"A", 'C', 1}};
  t.WriteTo(dir_.File("e.dbf"));
  USE(dir_.File("e.dbf") + " EXCLUSIVE");
  EXPECT_EQ(ContextOf(RaisedMessage([] { Replace(); })),
            "Database \"" + dir_.File("e.dbf") + "\" is empty. [REPLACE]");
  USE(path_ + " EXCLUSIVE");
  GoBottom();
  Skip(1);
  EXPECT_EQ(ContextOf(RaisedMessage([] { Replace(); })),
            "Database \"" + path_ + "\" is at EOF. [REPLACE]");
}

TEST_F(Records, RecordLockList) {
  USE(path_);
  for (int n : {1, 2, 3}) {
    Go(n);
    EXPECT_TRUE(RLock());
  }
  EXPECT_TRUE(RLock());  // already held
  EXPECT_TRUE(IsLocked(1) && IsLocked(2) && IsLocked(3));
  EXPECT_TRUE(UnlockRec(-1));  // the oldest: record 1
  EXPECT_FALSE(IsLocked(1));
  EXPECT_TRUE(UnlockRec(-2));  // the newest: record 3
  EXPECT_FALSE(IsLocked(3));
  SetAutoCheck(false);
  EXPECT_FALSE(UnlockRec(3));
  EXPECT_EQ(LastError(), 220);
  EXPECT_EQ(ContextMessage(), "Record not locked. [UnlockRec(3)]");
  SetAutoCheck(true);
  EXPECT_TRUE(UnlockRec(2));
  EXPECT_EQ(Current()->lock_kind, LockKind::None);
  EXPECT_EQ(ContextOf(RaisedMessage([] { UnlockRec(-7); })), "[UnlockRec(-7)]");
}

TEST_F(Records, PeekAndPoke) {
  USE(path_);
  Go(1);
  EXPECT_EQ(Peek(1, 3), "huge  ");
  EXPECT_EQ(Peek(0, 2), "*");
  EXPECT_EQ(Peek(1, 9), "");
  EXPECT_EQ(ContextOf(RaisedMessage([] { Poke("abc", 1, 3); })),
            "Record not locked [Poke(abc,1,3)]");
  Go(3);
  RLock();
  Switches().peek_cache_size = 100;  // two records per block
  EXPECT_EQ(Peek(1, 2), "blank ");
  Poke("tiny", 1, 3);
  EXPECT_EQ(Peek(1, 3), "tiny  ");  // the cached copy follows the write
  EXPECT_EQ(Stored(3).substr(1, 6), "tiny  ");
  EXPECT_EQ(RecNo(), 3);
  EXPECT_EQ(Counted(1), "huge  ");  // the current record is not touched
  Switches().peek_cache_size = 10;  // too small for one record: record 1 misses the cache
  EXPECT_EQ(ContextOf(RaisedMessage([] { Peek(1, 1); })), "Insufficient memory for cache [Peek]");
}

}  // namespace
}  // namespace vornelle::engine
