// Opening a table by file name: the file name rules, creation from DbfFields with its
// corrections, the field layout, read-only and exclusive opens, and engine failures.

#include <gtest/gtest.h>

#include <filesystem>

#include "dataset/field_spec.h"
#include "dataset/fields.h"
#include "engine/engine.h"
#include "framework/errors.h"
#include "platform/message_box.h"
#include "tests/dataset/dataset_fixture.h"

namespace vornelle::dataset {
namespace {

using framework::TFieldType;

class Opening : public testing::DatasetTest {};

TEST_F(Opening, FileNameGetsDefaultExtensionAndLosesSurroundingBlanks) {
  auto table = Component();
  table->SetDbfFileName("jokes");
  EXPECT_EQ(table->DbfFileName(), "jokes.dbf");  // the extension follows the name's case
  table->SetDbfFileName("JOKES");
  EXPECT_EQ(table->DbfFileName(), "JOKES.DBF");
  table->SetDbfFileName("jokes.");
  EXPECT_EQ(table->DbfFileName(), "jokes.");
  table->SetDbfFileName(" \tjokes.dbt \r\n");
  EXPECT_EQ(table->DbfFileName(), "jokes.dbt");
  EXPECT_FALSE(table->Active());
}

// The table opened is the file the name says, shared or exclusive: a name holding words that
// a dBASE command reads as options, or blanks the name setter would trim, opens that file and
// not the one the shorter name would give.
TEST_F(Opening, TheTableOpenedIsTheFileItsNameSays) {
  struct Case {
    std::string name, decoy;
  };
  const Case cases[] = {
      {"My exclusive jokes.dbf", "My jokes.dbf"},
      {"Jokes alias puns.dbf", "Jokes.dbf"},
      {"-EXCLUSIVE.dbf", ""},
      {"Lun\xc3\xa9" "di ALIAS x.dbf", "Lun\xc3\xa9" "di.dbf"},
      {"trailing.dbf ", ""},  // kept whole: a file has that name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = MakeTheme(c.name, {{"0101", "the right one"}});
    if (!c.decoy.empty()) MakeTheme(c.decoy, {{"0101", "the decoy"}});
    for (bool exclusive : {false, true}) {
      auto table = Component();
      table->SetExclusive(exclusive);
      table->SetDbfFileName(path);
      table->SetActive(true);
      EXPECT_EQ(Joke(*table), std::vector<std::string>{"the right one"});
    }
  }
}

TEST_F(Opening, ChangingTheFileNameReopensAndAnEmptyNameCloses) {
  const std::string first = MakeTheme("first.dbf", {{"0101", "one"}});
  const std::string second = MakeTheme("second.dbf", {{"0202", "two"}, {"0203", "three"}});
  auto table = Open(first);
  table->SetFilterTo("(THEDATE=\"0101\")");
  table->SetDbfFileName(second);
  ASSERT_TRUE(table->Active());
  EXPECT_FALSE(table->Filtered());  // a reopen forgets the filter
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0202");
  table->SetDbfFileName("  ");
  EXPECT_FALSE(table->Active());
  EXPECT_EQ(table->WorkArea(), 0);
}

TEST_F(Opening, WithoutFileNameRaisesAndStaysClosed) {
  auto table = Component();
  try {
    table->SetActive(true);
    FAIL() << "no exception";
  } catch (const platform::Exception& e) {
    EXPECT_STREQ(e.what(), "Missing DbfFilename property");
  }
  EXPECT_FALSE(table->Active());
}

TEST_F(Opening, MissingTableIsCreatedFromTheFieldList) {
  auto table = Open(dir_.File("new"));
  ASSERT_TRUE(table->Active());
  EXPECT_TRUE(std::filesystem::exists(dir_.File("new.dbf")));
  EXPECT_TRUE(std::filesystem::exists(dir_.File("new.dbt")));
  table->First();
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(table->IsEmpty());
  ASSERT_EQ(table->FieldDefs().Count(), 2);
  EXPECT_EQ(table->FieldDefs()[0].Name(), "THEDATE");
  EXPECT_EQ(table->FieldDefs()[0].DataType(), framework::ftString);
  EXPECT_EQ(table->FieldDefs()[0].Size(), 4);
  EXPECT_EQ(table->FieldDefs()[1].Name(), "THEJOKE");
  EXPECT_EQ(table->FieldDefs()[1].DataType(), framework::ftMemo);
  EXPECT_EQ(table->FieldProps()->Fields[1].Width, 10);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Opening, FieldListLinesAreCorrectedAsOtherProgramsNeedThem) {
  struct Case {
    const char* line;
    char type;
    int width, decimals;
    bool message;
  };
  const Case cases[] = {
      {"memo, B, 10, 0", 'M', 10, 0, true},
      {"n, N, 25, 0", 'N', 20, 0, true},
      {"n, N, 10, 9", 'N', 10, 8, true},
      {"n, N, 25, 24", 'N', 20, 18, true},  // every created field keeps width - 2 >= decimals
      {"c, C, 255, 0", 'C', 254, 0, true},
      {"q, Q, 4, 0", 'C', 4, 0, true},
      {"ok, N, 8, 2", 'N', 8, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::optional<TFieldSpecLine> spec = ParseFieldSpec(c.line);
    ASSERT_TRUE(spec);
    const std::string message = CorrectFieldDef("joketbl", *spec);
    EXPECT_EQ(spec->type, c.type);
    EXPECT_EQ(spec->width, c.width);
    EXPECT_EQ(spec->decimals, c.decimals);
    EXPECT_EQ(!message.empty(), c.message);
  }
  EXPECT_FALSE(ParseFieldSpec("skip, X, 1, 0"));

  TFieldSpecLine spec = *ParseFieldSpec("memo, B, 10, 0");
  EXPECT_EQ(CorrectFieldDef("joketbl", spec),
            "Invalid field definition for joketbl: memo,B,10,0. Will use corrected definition: "
            "memo,M,10,0");
}

TEST_F(Opening, CreatedFieldsAreTheCorrectedOnes) {
  auto table = Component();
  table->SetDbfFields({"memo, B, 10, 0", "skip, X, 1, 0", "n, N, 25, 24", "c, C, 255, 0",
                       "q, Q, 4, 0", "f, N, 8, 2"});
  table->SetDbfFileName(dir_.File("made"));
  table->SetActive(true);
  const auto& fields = table->FieldProps()->Fields;
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(fields[0].Name, "MEMO");
  EXPECT_EQ(fields[0].TypeLetter, 'M');
  EXPECT_EQ(fields[1].TypeLetter, 'N');
  EXPECT_EQ(fields[1].Width, 20);
  EXPECT_EQ(fields[1].Decimals, 18);
  EXPECT_EQ(fields[2].Width, 254);
  EXPECT_EQ(fields[3].TypeLetter, 'C');
  EXPECT_EQ(fields[3].Width, 4);
  ASSERT_EQ(Messages().size(), 4u);
  EXPECT_EQ(Messages()[1],
            "Invalid field definition for joketbl: n,N,25,24. Will use corrected definition: "
            "n,N,20,18");
}

TEST_F(Opening, FieldListWithoutThreeCommasCreatesNothing) {
  auto table = Component();
  table->SetDbfFields({"thedate, C, 4, 0", "a, C, 4"});
  table->SetDbfFileName(dir_.File("broken"));
  EXPECT_NE(testing::RaisedMessage([&] { table->SetActive(true); }), "");
  EXPECT_FALSE(table->Active());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("broken.dbf")));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Could not create \"" + dir_.File("broken.dbf") + "\"");

  Messages().clear();
  table->SetDbfFields({});
  EXPECT_NE(testing::RaisedMessage([&] { table->SetActive(true); }), "");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0], "FieldList.Count is <= 0 trying to create a database");
}

TEST_F(Opening, MissingTableWithoutCreationIsTheEnginesFileNotFound) {
  auto table = Component();
  table->SetCreateIfNotFound(false);
  table->SetDbfFileName(dir_.File("absent"));
  const std::string message = testing::RaisedMessage([&] { table->SetActive(true); });
  EXPECT_EQ(message.rfind("Error # 2 (File not found)\r\nFailure to open ", 0), 0u) << message;
  EXPECT_FALSE(table->Active());
  EXPECT_EQ(engine::CurrentArea(), 1);  // the area that was current before
}

TEST_F(Opening, EngineFailureWithRaisingOffFailsTheOpenWithTheEngineText) {
  auto table = Component();
  table->SetCreateIfNotFound(false);
  table->SetDbfFileName(dir_.File("absent"));
  engine::SetRaise(false);
  engine::SetAutoCheck(false);
  try {
    table->SetActive(true);
    FAIL() << "no exception";
  } catch (const engine::ETavrinError&) {
    FAIL() << "the engine raised";
  } catch (const platform::Exception& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Dataset error: Error # 2 (File not found)\r\nFailure to open ", 0), 0u)
        << text;
  }
  EXPECT_FALSE(table->Active());
}

TEST_F(Opening, EngineFailureAtRunTimeHaltsWithTheProgramHaltedBox) {
  // The switches the running program keeps: auto-check on, raising off.
  static std::string caption, text;
  static int exit_code = -1;
  struct Halted {};
  platform::SetErrorMessageBox([](std::string_view c, std::string_view t) {
    caption = c;
    text = t;
  });
  platform::SetEndProcess([](int code) {
    exit_code = code;
    throw Halted{};
  });
  engine::SetRaise(false);
  auto table = Component();
  table->SetCreateIfNotFound(false);
  table->SetDbfFileName(dir_.File("absent"));
  EXPECT_THROW(table->SetActive(true), Halted);
  platform::SetErrorMessageBox(nullptr);
  platform::SetEndProcess(nullptr);
  EXPECT_EQ(caption, "Program halted.");
  EXPECT_EQ(text.rfind("Error # 2 (File not found)\r\nFailure to open ", 0), 0u) << text;
  EXPECT_EQ(exit_code, 2);
}

TEST_F(Opening, TableIsOpenedUnderTheComponentsName) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}});
  auto table = Open(path);
  EXPECT_EQ(engine::Area(table->WorkArea())->alias, "JOKETBL");
  // A second component of the same name cannot open beside it: the alias is taken.
  auto twin = Component();
  twin->SetDbfFileName(path);
  const std::string message = testing::RaisedMessage([&] { twin->SetActive(true); });
  EXPECT_NE(message.find("Alias name \"JOKETBL\" already in use."), std::string::npos) << message;
  EXPECT_EQ(engine::CurrentArea(), table->WorkArea());
}

TEST_F(Opening, ReadOnlyOpensForReadingAndRefusesChanges) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}});
  auto table = Component();
  table->SetReadOnly(true);
  table->SetDbfFileName(path);
  table->SetActive(true);
  EXPECT_FALSE(engine::Area(table->WorkArea())->file.Writable());
  EXPECT_FALSE(table->CanModify());
  EXPECT_THROW(table->Edit(), framework::EDatabaseError);
  EXPECT_THROW(table->Append(), framework::EDatabaseError);
  EXPECT_FALSE(engine::Switches().open_mode_override);  // restored after the open
}

TEST_F(Opening, ExclusiveKeepsOtherOpensOutAndChangingItReopens) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}, {"0102", "two"}});
  auto table = Open(path);
  table->Next();
  table->SetExclusive(true);
  ASSERT_TRUE(table->Active());
  EXPECT_TRUE(engine::Area(table->WorkArea())->exclusive);
  EXPECT_EQ(table->RecNo(), 1);  // reopened on the first record
  auto other = Component();
  other->SetName("other");
  other->SetDbfFileName(path);
  const std::string message = testing::RaisedMessage([&] { other->SetActive(true); });
  EXPECT_EQ(message.rfind("Error # 32 (File sharing violation)", 0), 0u) << message;
}

TEST_F(Opening, AutoFixRecCountCountsFromTheFileSize) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}, {"0102", "two"}});
  // Another program's header says one record, the file holds two.
  std::string bytes = testing::ReadFileBytes(path);
  bytes[4] = 1;
  testing::WriteFileBytes(path, bytes);
  auto table = Component();
  table->SetExclusive(true);  // no recount from the file on a shared open's moves
  table->SetAutoFixRecCount(true);
  table->SetDbfFileName(path);
  table->SetActive(true);
  EXPECT_EQ(table->RecordCount(), 2);
  EXPECT_FALSE(engine::Switches().count_from_size);
}

TEST_F(Opening, FieldsMapToTheFrameworksTypes) {
  const std::string path = dir_.File("types.dbf");
  engine::CreateDbf(path, {{"NAME", 'C', 12, 0}, {"DAY", 'D', 8, 0}, {"PRICE", 'N', 8, 2},
                           {"QTY", 'N', 5, 0}, {"RATE", 'F', 10, 3}, {"OK", 'L', 1, 0},
                           {"NOTE", 'M', 10, 0}});
  auto table = Component();
  table->SetDbfFileName(path);
  table->SetActive(true);
  struct Expect {
    const char* name;
    TFieldType type;
    int size;
  };
  const Expect expected[] = {{"NAME", framework::ftString, 12}, {"DAY", framework::ftDate, 0},
                             {"PRICE", framework::ftFloat, 8},  {"QTY", framework::ftInteger, 5},
                             {"RATE", framework::ftFloat, 10},  {"OK", framework::ftBoolean, 0},
                             {"NOTE", framework::ftMemo, 0}};
  ASSERT_EQ(table->FieldDefs().Count(), 7);
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(table->FieldDefs()[i].Name(), expected[i].name);
    EXPECT_EQ(table->FieldDefs()[i].DataType(), expected[i].type);
    EXPECT_EQ(table->FieldDefs()[i].Size(), expected[i].size);
    EXPECT_EQ(table->FieldDefs()[i].FieldNo(), i + 1);
    EXPECT_FALSE(table->FieldDefs()[i].Required());
  }
  // deletion flag 1, C 13, D 8, N.2 8, N 4, F.3 8, L 2, M 4
  EXPECT_EQ(table->RecordDataSize(), 48);
  EXPECT_EQ(table->FieldOffsets(), (std::vector<uint16_t>{1, 14, 22, 30, 34, 42, 44}));
  EXPECT_NE(dynamic_cast<TTzDateField*>(&table->FieldByName("DAY")), nullptr);
  EXPECT_NE(dynamic_cast<TTzFloatField*>(&table->FieldByName("PRICE")), nullptr);
  EXPECT_NE(dynamic_cast<TTzIntegerField*>(&table->FieldByName("QTY")), nullptr);
}

TEST_F(Opening, AFieldTheDatasetCannotShowFailsTheOpenAndNothingElse) {
  // A number of 30 digits has no integer field; another program's table may hold one.
  const std::string wide = dir_.File("wide.dbf");
  engine::CreateDbf(wide, {{"NAME", 'C', 4, 0}, {"BIG", 'N', 30, 0}});
  auto table = Component();
  table->SetDbfFileName(wide);
  EXPECT_THROW(table->SetActive(true), framework::EDatabaseError);
  EXPECT_FALSE(table->Active());
  EXPECT_EQ(table->Fields().Count(), 0);
  // The same component opens the next table with that table's own fields.
  table->SetDbfFileName(MakeTheme("jokes.dbf", {{"0101", "one"}}));
  table->SetActive(true);
  EXPECT_EQ(table->FieldByName("THEDATE").AsString(), "0101");
}

TEST_F(Opening, ClosingGivesTheWorkAreaBackAndTheNextOpenTakesTheLowestFree) {
  const std::string path = MakeTheme("jokes.dbf", {{"0101", "one"}});
  engine::Select(1);
  engine::USE(path + " ALIAS FIRST");
  auto table = Open(path);
  EXPECT_EQ(table->WorkArea(), 2);
  table->SetActive(false);
  EXPECT_EQ(table->WorkArea(), 0);
  EXPECT_EQ(engine::Area(2), nullptr);
  engine::Select(1);
  engine::CloseArea();
  table->SetActive(true);
  EXPECT_EQ(table->WorkArea(), 1);
}

TEST_F(Opening, OperationOnAClosedTableIsReportedAsNotOpen) {
  auto table = Component();
  const std::string message = testing::RaisedMessage([&] { table->SetFilterTo("(.T.)"); });
  EXPECT_EQ(message, "Error # 1103 (Invalid Operation )\r\nDatabase is not open [joketbl.SetFilterTo]");
  // With the engine's checks off the operation is abandoned, and the application asked to end.
  engine::SetAutoCheck(false);
  EXPECT_THROW(table->SetFilterTo("(.T.)"), platform::EAbort);
  EXPECT_TRUE(platform::TerminateRequested());
  EXPECT_EQ(engine::LastError(), 1103);
}

}  // namespace
}  // namespace vornelle::dataset
