// Reading field values: the stored text turned into typed values, dates with and without the
// century, the date field's text forms, and memo text as lines (GetMField, CheckField).

#include <gtest/gtest.h>

#include <cstring>

#include "dataset/fields.h"
#include "engine/engine.h"
#include "framework/errors.h"
#include "platform/datetime.h"
#include "tests/dataset/dataset_fixture.h"

namespace vornelle::dataset {
namespace {

using testing::RawField;
using testing::RawTable;

class FieldValues : public testing::DatasetTest {
 protected:
  // One table of every type, written as another program stores it.
  std::string Typed() {
    RawTable t;
    t.fields = {{"NAME", 'C', 8}, {"DAY", 'D', 8}, {"PRICE", 'N', 8, 2}, {"QTY", 'N', 5},
                {"OK", 'L', 1}};
    t.records = {std::string(" ") + "Anna    " + "19500101" + "   3.145" + "   42" + "T",
                 std::string(" ") + "\x81" "ber    " + "        " + "        " + "     " + " "};
    const std::string path = dir_.File("typed.dbf");
    t.WriteTo(path);
    return path;
  }
  std::unique_ptr<TZuViv> OpenTyped() {
    auto table = Component();
    table->SetDbfFileName(Typed());
    table->SetActive(true);
    return table;
  }
};

TEST_F(FieldValues, StoredTextBecomesTypedValues) {
  auto table = OpenTyped();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "Anna");  // trailing blanks go
  // Rounded to its decimals as it is shown: 3.145 is a tie (although its double lies below).
  EXPECT_DOUBLE_EQ(table->FieldByName("PRICE").AsFloat(), 3.15);
  EXPECT_EQ(table->FieldByName("QTY").AsInteger(), 42);
  EXPECT_TRUE(table->FieldByName("OK").AsBoolean());
  const platform::CalendarDate day = platform::DecodeDate(table->FieldByName("DAY").AsDateTime());
  EXPECT_EQ(day.year, 1950);  // the stored century, also when the engine shows two digits
  EXPECT_EQ(day.month, 1);
  EXPECT_EQ(day.day, 1);
}

TEST_F(FieldValues, BlankFieldsReadAsEmptyTextAndNumbersButBlankDatesAsNull) {
  auto table = OpenTyped();
  table->Next();
  EXPECT_EQ(table->FieldByName("NAME").AsString(), "\xfc" "ber");  // OEM 0x81 read as ANSI
  EXPECT_FALSE(table->FieldByName("NAME").IsNull());
  EXPECT_TRUE(table->FieldByName("DAY").IsNull());
  EXPECT_EQ(table->FieldByName("DAY").AsString(), "");
  EXPECT_FALSE(table->FieldByName("PRICE").IsNull());
  EXPECT_EQ(table->FieldByName("QTY").AsInteger(), 0);
  EXPECT_FALSE(table->FieldByName("QTY").IsNull());
  EXPECT_FALSE(table->FieldByName("OK").AsBoolean());
}

TEST_F(FieldValues, DateTextFollowsTheEnginesDateSettings) {
  engine::Switches().date_order = 5;  // DD.MM.YY
  engine::Switches().century = true;
  platform::SetShortDateFormat({"dd.MM.yyyy", '.'});
  auto table = OpenTyped();
  framework::TField& day = table->FieldByName("DAY");
  EXPECT_EQ(day.AsString(), "01.01.1950");
  EXPECT_EQ(BlankDateText(), "  .  .    ");

  table->Edit();
  day.SetAsString("24.12.2023");
  EXPECT_EQ(day.AsString(), "24.12.2023");
  day.SetAsString("  .  .    ");  // the blank date text clears the field
  EXPECT_TRUE(day.IsNull());
  day.SetAsString("5.6.2020");  // a text the engine does not take is read by the platform
  EXPECT_EQ(day.AsString(), "05.06.2020");
  EXPECT_THROW(day.SetAsString("31.02.2020"), platform::EConvertError);
  table->Cancel();
}

// Visual FoxPro keeps numbers and moments as binary values: a double without decimals is still
// a double, a date and time is its ISO text, and what is written goes back as binary bytes.
TEST_F(FieldValues, VisualFoxProBinaryValuesReadAndWritten) {
  RawTable t;
  t.version = 0x30;
  t.fields = {{"RATIO", 'B', 8}, {"QTY", 'I', 4}, {"AT", 'T', 8}};
  const double ratio = 2.5;
  const int32_t qty = -7, moment[2] = {2460375, (14 * 3600 + 30 * 60 + 15) * 1000};  // 2024-03-05
  std::string record(" ");
  record.append(reinterpret_cast<const char*>(&ratio), 8).append(reinterpret_cast<const char*>(&qty), 4);
  record.append(reinterpret_cast<const char*>(moment), 8);
  t.records = {record};
  t.WriteTo(dir_.File("vfp.dbf"));
  auto table = Component();
  table->SetDbfFileName(dir_.File("vfp.dbf"));
  table->SetActive(true);
  EXPECT_DOUBLE_EQ(table->FieldByName("RATIO").AsFloat(), 2.5);
  EXPECT_EQ(table->FieldByName("QTY").AsInteger(), -7);
  EXPECT_EQ(table->FieldByName("AT").AsString(), "2024-03-05T14:30:15");
  table->Edit();
  table->FieldByName("RATIO").SetAsFloat(0.125);
  table->FieldByName("AT").SetAsString("1999-12-31T23:59:59");
  table->Post();
  table->SetActive(false);
  const std::string stored = testing::ReadFileBytes(dir_.File("vfp.dbf")).substr(392, 21);
  double written = 0;
  std::memcpy(&written, stored.data() + 1, 8);
  EXPECT_EQ(written, 0.125);
  EXPECT_EQ(stored.substr(9, 4), record.substr(9, 4));  // unchanged, as it was
  int32_t day = 0;
  std::memcpy(&day, stored.data() + 13, 4);
  EXPECT_EQ(day, 2451544);  // 1999-12-31
}

TEST_F(FieldValues, UnknownFieldIsAFrameworkError) {
  auto table = OpenTyped();
  try {
    table->FieldByName("NOPE");
    FAIL();
  } catch (const framework::EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'NOPE' not found");
  }
}

class MemoLines : public testing::DatasetTest {};

TEST_F(MemoLines, GetMFieldGivesTheLinesInAnsi) {
  const std::string path =
      MakeTheme("t.dbf", {{"0101", "Gr\xfc\xdf" "e\r\naus dem B\xfcro\r\n\r\nEnde"}, {"0102", ""}});
  // Stored in OEM: ü is 0x81 in the memo file.
  const std::string memo = testing::ReadFileBytes(dir_.File("t.dbt"));
  EXPECT_NE(memo.find("Gr\x81\xe1" "e"), std::string::npos);
  auto table = Open(path);
  EXPECT_EQ(Joke(*table),
            (std::vector<std::string>{"Gr\xfc\xdf" "e", "aus dem B\xfcro", "", "Ende"}));
  table->Next();  // no memo: block 0
  std::vector<std::string> lines = {"stale"};
  table->GetMField("THEJOKE", lines);
  EXPECT_TRUE(lines.empty());
}

TEST_F(MemoLines, AnsiTablesAreNotTranslated) {
  const std::string path = MakeTheme("t.dbf", {{"0101", "B\xfcro"}});  // stored as 0x81
  auto table = Component();
  table->SetTableLanguage(tlAnsi);
  table->SetDbfFileName(path);
  table->SetActive(true);
  EXPECT_EQ(Joke(*table), (std::vector<std::string>{"B\x81ro"}));
}

TEST_F(MemoLines, LongFieldNamesAreCutToTen) {
  const std::string path = dir_.File("long.dbf");
  engine::CreateDbf(path, {{"DAY", 'C', 4, 0}, {"MEMOFIELD1", 'M', 10, 0}});
  engine::USE(path + " ALIAS MAKER");
  const int32_t block = engine::WriteMemoValue("one\r\ntwo", false);
  std::memcpy(engine::FieldAddress(2), &block, 4);
  engine::ALock();
  engine::Append();
  engine::CloseArea();
  auto table = Component();
  table->SetDbfFileName(path);
  table->SetActive(true);
  std::vector<std::string> lines;
  table->GetMField("memofield1XY", lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));
}

TEST_F(MemoLines, NonMemoOrMissingFieldIsReportedAndGivesNoLines) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "text"}}));
  std::vector<std::string> lines = {"stale"};
  std::string message = testing::RaisedMessage([&] { table->GetMField("THEDATE", lines); });
  EXPECT_EQ(message,
            "Error # 220 (Invalid parameter)\r\n\"GetMField()\" expects field \"THEDATE\" to be of "
            "type:\r\n\"memo\".\"THEDATE\" actually is: \"Character\"");
  EXPECT_TRUE(lines.empty());

  message = testing::RaisedMessage([&] { table->GetMField("NOPE", lines); });
  EXPECT_EQ(testing::ContextOf(message),
            "Field \"NOPE\" not in \"" + dir_.File("t.dbf") + "\" [GetMField]");

  engine::SetAutoCheck(false);  // the report stays in the last error code
  lines = {"stale"};
  table->GetMField("THEDATE", lines);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(engine::LastError(), 220);
}

TEST_F(MemoLines, CheckFieldKnowsNumbersWithAndWithoutDecimals) {
  const std::string path = dir_.File("n.dbf");
  engine::CreateDbf(path, {{"WHOLE", 'N', 5, 0}, {"PART", 'N', 8, 2}, {"DAY", 'D', 8, 0}});
  auto table = Component();
  table->SetDbfFileName(path);
  table->SetActive(true);
  EXPECT_EQ(table->CheckField("Op", "WHOLE", 'N'), 1);
  EXPECT_EQ(table->CheckField("Op", "PART", 'R'), 2);
  EXPECT_EQ(table->CheckField("Op", "DAY", 'D'), 3);
  const std::string message = testing::RaisedMessage([&] { table->CheckField("Op", "PART", 'N'); });
  EXPECT_EQ(testing::ContextOf(message),
            "\"Op()\" expects field \"PART\" to be of type:\r\n\"numeric, without decimals\"."
            "\"PART\" actually is: \"Numeric, width: 8 decimals: 2\"");
}

TEST_F(MemoLines, MemoThatCannotBeReadIsAnInputOutputError) {
  auto table = Open(MakeTheme("t.dbf", {{"0101", "text"}}));
  engine::SetAutoCheck(false);
  // Point the record at a block far beyond the memo file.
  std::vector<std::string> lines = {"stale"};
  EXPECT_THROW(table->MemoToLines(99999, lines, true), platform::EInOutError);
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace vornelle::dataset
