// Changing records through the component: edit, insert, append, post, cancel and delete, the
// field values as they reach the file, memo text written through the framework, the filter and
// the deleted-record rule after a change, read-only datasets and engine failures in a post.

#include <gtest/gtest.h>

#include "dataset/fields.h"
#include "engine/engine.h"
#include "engine/record_codec.h"
#include "platform/codepage.h"
#include "platform/datetime.h"
#include "platform/file.h"
#include "tests/dataset/writing_fixture.h"

namespace vornelle::dataset {
namespace {

using framework::Variant;
using platform::EncodeDate;
using platform::Utf8ToAnsi;

constexpr const char* kNotEditing = "Dataset not in edit or insert mode";

class Updating : public testing::WritingTest {
 protected:
  std::string MakeFruit() {
    return MakeTypes("fruit.dbf", {{"Apple", "20240115", 1.25, 3, true, "first note"},
                                   {"Banana", "20240216", 2.5, 12, false, ""},
                                   {"Cherry", "", 10, 0, true, Utf8ToAnsi("Grüße")}});
  }
  // The engine's locks of the table's work area.
  static bool HoldsLocks(const TZuViv& table) {
    return engine::Area(table.WorkArea())->lock_kind != engine::LockKind::None;
  }
};

TEST_F(Updating, PostStoresEveryFieldTypeAndNothingElse) {
  const std::string path = MakeFruit();
  const std::string first = StoredRecord(path, 1), third = StoredRecord(path, 3);
  auto table = OpenTable(path);
  table->Next();
  table->Edit();
  table->FieldByName("NAME").SetAsString("Blueberry");
  table->FieldByName("DAY").SetAsDateTime(EncodeDate(2024, 3, 15));
  table->FieldByName("PRICE").SetAsFloat(-3.25);
  table->FieldByName("QTY").SetAsInteger(-42);
  table->FieldByName("OK").SetAsBoolean(true);
  table->Post();
  EXPECT_EQ(table->State(), framework::dsBrowse);
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_FALSE(HoldsLocks(*table));

  EXPECT_EQ(StoredRecord(path, 2), " Blueberry   20240315   -3.25  -42T          ");
  EXPECT_EQ(StoredRecord(path, 1), first);
  EXPECT_EQ(StoredRecord(path, 3), third);
  EXPECT_EQ(HeaderCount(path), 3);

  table->SetActive(false);
  table->SetActive(true);
  table->Next();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Blueberry");
  EXPECT_EQ(table->FieldByName("DAY").AsDateTime(), EncodeDate(2024, 3, 15));
  EXPECT_EQ(table->FieldByName("PRICE").AsFloat(), -3.25);
  EXPECT_EQ(table->FieldByName("QTY").AsInteger(), -42);
  EXPECT_TRUE(table->FieldByName("OK").AsBoolean());
}

TEST_F(Updating, NewRecordsGoToTheEndOfTheFile) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  table->Append();
  table->FieldByName("NAME").SetAsString("Date");
  table->FieldByName("QTY").SetAsInteger(7);
  table->Post();
  EXPECT_EQ(table->RecNo(), 4);
  EXPECT_EQ(table->RecordCount(), 4);
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Date");
  // The fields left alone are blank or zero, not what the record before held.
  EXPECT_EQ(StoredRecord(path, 4), " Date                    0.00    7F          ");

  table->First();
  table->Insert();
  table->FieldByName("NAME").SetAsString("Elder");
  table->Post();
  EXPECT_EQ(table->RecNo(), 5);
  EXPECT_EQ(StoredField(path, 5, "NAME"), "Elder       ");
  EXPECT_EQ(StoredField(path, 1, "NAME"), "Apple       ");

  table->AppendRecord({Variant{std::string("Fig")}, Variant{}, Variant{0.5}, Variant{int64_t{2}},
                       Variant{true}});
  EXPECT_EQ(table->RecNo(), 6);
  EXPECT_EQ(StoredRecord(path, 6), " Fig                     0.50    2T          ");
  EXPECT_FALSE(HoldsLocks(*table));

  table->SetActive(false);
  EXPECT_EQ(HeaderCount(path), 6);
  EXPECT_EQ(testing::ReadFileBytes(path).back(), '\x1A');
}

TEST_F(Updating, FirstRecordOfATableJustCreated) {
  auto table = Open(dir_.File("new"));
  ASSERT_TRUE(table->IsEmpty());
  table->Edit();  // nothing to edit: a new record instead
  EXPECT_EQ(table->State(), framework::dsInsert);
  table->FieldByName("THEDATE").SetAsString("0101");
  table->FieldByName("THEJOKE").SetAsString("first");
  table->Post();
  EXPECT_FALSE(table->IsEmpty());
  EXPECT_EQ(table->RecordCount(), 1);
  table->First();
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0101");
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"first"});
  table->SetActive(false);
  EXPECT_EQ(HeaderCount(dir_.File("new.dbf")), 1);
}

TEST_F(Updating, CancelDropsAnEditAndANewRecord) {
  const std::string path = MakeFruit();
  const std::string before = testing::ReadFileBytes(path);
  auto table = OpenTable(path);
  table->Edit();
  table->FieldByName("NAME").SetAsString("Changed");
  table->FieldByName("NOTE").SetAsString("changed note");
  table->Cancel();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Apple");
  EXPECT_EQ(table->FieldByName("NOTE").AsString(), "first note");
  std::vector<std::string> lines;
  table->GetMField("NOTE", lines);
  EXPECT_EQ(lines, std::vector<std::string>{"first note"});

  table->Append();
  table->FieldByName("NAME").SetAsString("Never");
  table->Cancel();
  EXPECT_EQ(table->RecordCount(), 3);
  EXPECT_EQ(testing::ReadFileBytes(path), before);

  // The cancelled value must not ride along with the next post of the record.
  table->First();
  table->Edit();
  table->FieldByName("QTY").SetAsInteger(4);
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "NAME"), "Apple       ");
  EXPECT_EQ(StoredField(path, 1, "QTY"), "    4");
}

TEST_F(Updating, WritesOutsideEditingAreRefused) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  EXPECT_EQ(testing::FailureOf([&] { table->FieldByName("NAME").SetAsString("x"); }), kNotEditing);
  EXPECT_EQ(testing::FailureOf([&] { table->FieldByName("QTY").Clear(); }), kNotEditing);
  EXPECT_EQ(testing::FailureOf([&] { table->FieldByName("NOTE").SetAsString("x"); }), kNotEditing);
  table->Post();  // nothing to post in browse state
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Apple");

  table->FieldByName("NAME").SetReadOnly(true);
  table->Edit();
  EXPECT_EQ(testing::FailureOf([&] { table->FieldByName("NAME").SetAsString("x"); }),
            "Field 'NAME' cannot be modified");
  table->FieldByName("QTY").SetAsInteger(9);
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "NAME"), "Apple       ");
  EXPECT_EQ(StoredField(path, 1, "QTY"), "    9");
}

TEST_F(Updating, NullDateStoresTheBlankDate) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  table->Edit();
  table->FieldByName("DAY").Clear();
  EXPECT_TRUE(table->FieldByName("DAY").IsNull());
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "DAY"), "        ");
  EXPECT_TRUE(table->FieldByName("DAY").IsNull());

  // The engine's blank date text clears the field; another date text is read in the engine's
  // date order.
  table->Next();
  table->Edit();
  table->FieldByName("DAY").SetAsString(BlankDateText());
  EXPECT_TRUE(table->FieldByName("DAY").IsNull());
  table->Post();
  EXPECT_EQ(StoredField(path, 2, "DAY"), "        ");
  const engine::EngineSwitches& sw = engine::Switches();
  table->Next();
  table->Edit();
  table->FieldByName("DAY").SetAsString(engine::DisplayDate("20240704", sw.date_order, sw.century));
  table->Post();
  EXPECT_EQ(StoredField(path, 3, "DAY"), "20240704");
  EXPECT_EQ(table->FieldByName("DAY").AsDateTime(), EncodeDate(2024, 7, 4));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Updating, PostLeavesADateOutsideTheTwoDigitYearWindowAlone) {
  // The engine's date text has no century here; the stored date must survive other changes.
  const std::string path = MakeTypes("old.dbf", {{"Old", "19010506", 1, 1, true, ""}});
  auto table = OpenTable(path);
  EXPECT_EQ(table->FieldByName("DAY").AsDateTime(), EncodeDate(1901, 5, 6));
  table->Edit();
  table->FieldByName("QTY").SetAsInteger(2);
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "DAY"), "19010506");
  EXPECT_EQ(table->FieldByName("DAY").AsDateTime(), EncodeDate(1901, 5, 6));
}

// A post stores what changed as the file's own digits: a number another program stored with
// more decimals than its field stays as it was when only another field changed, and a date
// keeps its century although the engine's date text has none.
TEST_F(Updating, APostKeepsUntouchedNumbersAndWritesDatesInFull) {
  const std::string path = MakeTypes("pi.dbf", {{"Pi", "20240101", 3.14, 1, true, ""}});
  engine::UseTable(path, {/*exclusive=*/true, "POKER"});
  engine::Poke("3.141590", 3, 1);
  engine::CloseArea();
  auto table = OpenTable(path);
  table->Edit();
  table->FieldByName("NAME").SetAsString("Tau");
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "PRICE"), "3.141590");

  const struct {
    int year, month, day;
    const char* stored;
  } dates[] = {{1950, 1, 1, "19500101"}, {2049, 12, 31, "20491231"}, {1850, 6, 15, "18500615"},
               {2124, 2, 29, "21240229"}};
  for (const auto& d : dates) {
    SCOPED_TRACE(d.stored);
    table->Edit();
    table->FieldByName("DAY").SetAsDateTime(EncodeDate(d.year, d.month, d.day));
    table->Post();
    EXPECT_EQ(StoredField(path, 1, "DAY"), d.stored);
    EXPECT_EQ(table->FieldByName("DAY").AsDateTime(), EncodeDate(d.year, d.month, d.day));
  }
  EXPECT_EQ(StoredField(path, 1, "PRICE"), "3.141590");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Updating, CharacterFieldsAreCutPaddedAndStoredInOem) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  table->Edit();
  table->FieldByName("NAME").SetAsString("ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "ABCDEFGHIJKL");
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "NAME"), "ABCDEFGHIJKL");

  // A shorter text leaves nothing of the longer one behind.
  table->Edit();
  table->FieldByName("NAME").SetValue(Variant{Utf8ToAnsi("Müller")});
  table->Post();
  EXPECT_EQ(StoredField(path, 1, "NAME"), platform::AnsiToOem(Utf8ToAnsi("Müller")) + "      ");
  EXPECT_EQ(StoredField(path, 1, "NAME")[1], '\x81');  // ü in code page 437
  EXPECT_EQ(table->FieldByName("NAME").AsString(), Utf8ToAnsi("Müller"));
}

TEST_F(Updating, MemoTextIsWrittenThroughTheFramework) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}, {"0102", "two"}});
  const std::string text = Utf8ToAnsi("Grüße aus Köln\r\nzweite Zeile");
  const std::vector<std::string> lines{Utf8ToAnsi("Grüße aus Köln"), "zweite Zeile"};
  auto table = Open(path);
  table->Edit();
  table->FieldByName("THEJOKE").SetAsString(text);
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), text);
  table->Post();
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), text);
  EXPECT_EQ(Joke(*table), lines);

  table->Append();
  table->FieldByName("THEDATE").SetAsString("0301");
  table->FieldByName("THEJOKE").SetAsString("new\r\nrecord");
  table->Post();
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"new", "record"}));

  // The memo file keeps the text in OEM.
  const std::string memo = testing::ReadFileBytes(dir_.File("jokes.dbt"));
  EXPECT_NE(memo.find(platform::AnsiToOem(text)), std::string::npos);
  EXPECT_EQ(memo.find(text), std::string::npos);

  table->SetActive(false);
  table->SetActive(true);
  EXPECT_EQ(Joke(*table), lines);
  table->Last();
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "new\r\nrecord");

  // An empty text empties the field.
  table->Edit();
  table->FieldByName("THEJOKE").SetAsString("");
  table->Post();
  EXPECT_EQ(table->FieldByName("THEJOKE").AsString(), "");
  EXPECT_TRUE(Joke(*table).empty());
  EXPECT_EQ(StoredField(path, 3, "THEJOKE"), std::string(10, ' '));
  EXPECT_EQ(StoredField(path, 3, "THEDATE"), "0301");
}

TEST_F(Updating, PostThatHidesTheRecordMovesToTheNextVisibleOneOrBack) {
  const std::string path =
      MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b"}, {"0103", "c"}, {"0104", "d"}});
  auto table = Open(path);
  table->SetFilterTo("(THEDATE<>\"9999\")");
  table->Next();
  table->Edit();
  table->FieldByName("THEDATE").SetAsString("9999");
  table->Post();
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0103");
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"c"});
  EXPECT_FALSE(HoldsLocks(*table));

  // Nothing visible follows the last record: the nearest one before it.
  table->Last();
  table->Edit();
  table->FieldByName("THEDATE").SetAsString("9999");
  table->Post();
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"c"});
  EXPECT_EQ(StoredField(path, 2, "THEDATE"), "9999");
  EXPECT_EQ(StoredField(path, 4, "THEDATE"), "9999");

  table->First();
  EXPECT_EQ(table->RecNo(), 1);
  table->Next();
  EXPECT_EQ(table->RecNo(), 3);
  table->Next();
  EXPECT_TRUE(table->Eof());
}

TEST_F(Updating, PostThatHidesTheLastVisibleRecordEmptiesTheDataset) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b"}, {"0103", "c"}});
  auto table = Open(path);
  table->SetFilterTo("(THEDATE=\"0102\")");
  table->First();
  ASSERT_EQ(table->RecNo(), 2);
  table->Edit();
  table->FieldByName("THEDATE").SetAsString("9999");
  table->Post();
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(table->Bof());
  EXPECT_EQ(StoredField(path, 2, "THEDATE"), "9999");

  table->SetFilterTo("");
  table->First();
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_EQ(table->RecordCount(), 3);
}

TEST_F(Updating, DeleteMarksTheRecordAndHiddenDeletedRecordsGiveWay) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b"}, {"0103", "c"}});
  auto table = Open(path);
  table->Next();
  table->Delete();
  // Deleted records stay visible by default.
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(StoredRecord(path, 2)[0], '*');
  EXPECT_EQ(StoredRecord(path, 1)[0], ' ');
  EXPECT_FALSE(HoldsLocks(*table));

  table->SetHideDeletedRecs(true);
  EXPECT_EQ(table->RecNo(), 3);
  table->First();
  table->Delete();
  EXPECT_EQ(table->RecNo(), 3);  // the next visible record
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"c"});
  table->Delete();  // the last one left: nothing before it is visible either
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(table->RecordCount(), 3);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(StoredRecord(path, n)[0], '*') << n;
}

TEST_F(Updating, DeleteOfTheLastVisibleRecordMovesBack) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b"}, {"0103", "c"}});
  auto table = Component();
  table->SetHideDeletedRecs(true);
  table->SetDbfFileName(path);
  table->SetActive(true);
  table->Last();
  table->Delete();
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_FALSE(table->Eof());
  EXPECT_EQ(Joke(*table), std::vector<std::string>{"b"});
}

TEST_F(Updating, PostingADeletedRecordKeepsItDeleted) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "a"}, {"0102", "b", true}});
  auto table = Open(path);
  table->Last();
  table->Edit();
  table->FieldByName("THEDATE").SetAsString("0202");
  table->Post();
  EXPECT_EQ(StoredRecord(path, 2).substr(0, 5), "*0202");
}

TEST_F(Updating, LockEventsStayQuietWhenNobodyElseHoldsALock) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  LockEvents events;
  Watch(*table, events);
  table->Edit();
  table->FieldByName("QTY").SetAsInteger(1);
  table->Post();
  table->Append();
  table->FieldByName("NAME").SetAsString("New");
  table->Post();
  table->Delete();
  EXPECT_EQ(events.Total(), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(HoldsLocks(*table));
  EXPECT_EQ(StoredField(path, 1, "QTY"), "    1");
  EXPECT_EQ(StoredRecord(path, 4).substr(0, 4), "*New");
}

TEST_F(Updating, ReadOnlyDatasetChangesNothing) {
  const std::string path = MakeFruit();
  const std::string table_bytes = testing::ReadFileBytes(path);
  const std::string memo_bytes = testing::ReadFileBytes(dir_.File("fruit.dbt"));
  auto table = Component();
  table->SetReadOnly(true);
  table->SetDbfFileName(path);
  table->SetActive(true);
  const std::string read_only = "Cannot modify a read-only dataset";
  EXPECT_EQ(testing::FailureOf([&] { table->Edit(); }), read_only);
  EXPECT_EQ(testing::FailureOf([&] { table->Append(); }), read_only);
  EXPECT_EQ(testing::FailureOf([&] { table->Insert(); }), read_only);
  EXPECT_EQ(testing::FailureOf([&] { table->AppendRecord({Variant{std::string("x")}}); }),
            read_only);
  EXPECT_EQ(table->State(), framework::dsBrowse);
  table->Next();
  // Refused like every other change, rather than returning as if it had deleted.
  EXPECT_EQ(testing::FailureOf([&] { table->Delete(); }), read_only);
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_EQ(table->RecordCount(), 3);
  EXPECT_TRUE(Messages().empty());
  table->SetActive(false);
  EXPECT_EQ(testing::ReadFileBytes(path), table_bytes);
  EXPECT_EQ(testing::ReadFileBytes(dir_.File("fruit.dbt")), memo_bytes);
}

TEST_F(Updating, EngineFailureInAPostReachesTheCallerAndLeavesAReadableTable) {
  const std::string path = MakeFruit();
  const std::string before = StoredRecord(path, 2);
  auto table = OpenTable(path);
  table->Next();
  table->Edit();
  table->FieldByName("NAME").SetAsString("Broken");
  platform::faults::FailNthWrite(1, 29);
  const std::string message = testing::FailureOf([&] { table->Post(); });
  platform::faults::Clear();
  EXPECT_EQ(message.rfind(engine::ErrorText(29) + "\r\n", 0), 0u) << message;
  EXPECT_NE(message.find("[Replace/Append/PutDbfRecord]"), std::string::npos) << message;
  EXPECT_EQ(table->State(), framework::dsEdit);
  table->Cancel();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Banana");
  EXPECT_EQ(StoredRecord(path, 2), before);

  // The table still works and reads as it was.
  table->Edit();
  table->FieldByName("QTY").SetAsInteger(13);
  table->Post();
  table->SetActive(false);
  table->SetActive(true);
  EXPECT_EQ(table->RecordCount(), 3);
  table->Next();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Banana");
  EXPECT_EQ(table->FieldByName("QTY").AsInteger(), 13);
}

TEST_F(Updating, EngineFailureInAnAppendLeavesTheTableAsItWas) {
  const std::string path = MakeFruit();
  auto table = OpenTable(path);
  table->Append();
  table->FieldByName("NAME").SetAsString("Broken");
  platform::faults::FailNthWrite(1, 29);
  const std::string message = testing::FailureOf([&] { table->Post(); });
  platform::faults::Clear();
  EXPECT_EQ(message.rfind(engine::ErrorText(29) + "\r\n", 0), 0u) << message;
  table->Cancel();
  table->SetActive(false);
  EXPECT_EQ(HeaderCount(path), 3);
  table->SetActive(true);
  EXPECT_EQ(table->RecordCount(), 3);
  table->Last();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Cherry");
}

}  // namespace
}  // namespace vornelle::dataset
