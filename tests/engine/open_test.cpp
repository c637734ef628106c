// Opening tables: headers of every family, USE options, work areas, field information, creating
// and closing.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "engine/engine.h"
#include "platform/file.h"
#include "tests/support/open_in_time.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::ContextOf;
using testing::RawField;
using testing::RawTable;
using testing::RaisedMessage;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class OpenTable : public testing::EngineTest {
 protected:
  // A small theme-like table: day key, number, date, flag.
  std::string ThemeTable(int records = 3) {
    RawTable t;
    t.fields = {{"THEDATE", 'C', 4}, {"AMOUNT", 'N', 8, 2}, {"COUNT", 'N', 5}, {"DAY", 'D', 8},
                {"OK", 'L', 1}};
    for (int i = 1; i <= records; ++i)
      t.records.push_back(" 010" + std::to_string(i) + "   12.50   42" + "2024010" +
                          std::to_string(i) + "T");
    std::string path = dir_.File("theme.dbf");
    t.WriteTo(path);
    return path;
  }
  std::string Fail(const std::string& command) {
    return RaisedMessage([&] { USE(command); });
  }
};

TEST_F(OpenTable, FieldInformationAndTypedLayout) {
  USE(ThemeTable());
  EXPECT_EQ(FieldCount(), 5);
  EXPECT_EQ(Field(1), "THEDATE");
  EXPECT_EQ(FieldType(2), 'N');
  EXPECT_EQ(FieldLen(2), 8);
  EXPECT_EQ(FieldDec(2), 2);
  EXPECT_EQ(FieldLen(4), 8);  // a date shows 8 characters...
  Switches().century = true;
  EXPECT_EQ(FieldLen(4), 10);  // ...or 10 with the century
  EXPECT_EQ(FieldNo(" amount "), 2);
  EXPECT_EQ(FieldNo("THEDATEXXXXXX"), 0);
  EXPECT_EQ(FieldNo("nope"), 0);
  // deletion flag 1, C 4+1, N(dec) 8, N 4, D 11, L 1
  char* base = FieldAddress(0);
  EXPECT_EQ(FieldAddress(1) - base, 1);
  EXPECT_EQ(FieldAddress(2) - base, 6);
  EXPECT_EQ(FieldAddress(3) - base, 14);
  EXPECT_EQ(FieldAddress(4) - base, 18);
  EXPECT_EQ(FieldAddress(5) - base, 29);
  EXPECT_EQ(RecNo(), 1);
  EXPECT_EQ(RecCount(), 3);
  EXPECT_EQ(RecSize(), 1 + 4 + 8 + 5 + 8 + 1);
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 4), "0101");
}

TEST_F(OpenTable, FieldNumberAndNoTableChecks) {
  USE(ThemeTable());
  EXPECT_EQ(ContextOf(RaisedMessage([] { FieldLen(6); })), "Invalid field number. [FieldLen(6)]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { FieldType(0); })), "Invalid field number. [FieldType(0)]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { FieldAddress(9); })),
            "Invalid field number. [FieldAddress(9)]");
  CloseArea();
  EXPECT_EQ(RaisedMessage([] { FieldCount(); }),
            "Error # 215 (No database in use)\r\nNo database in use [FieldCount()]  WorkArea = 1");
}

TEST_F(OpenTable, EmptyTableOpensAtBofAndEof) {
  RawTable t;
  t.fields = {{"NAME", 'C', 6}};
  t.WriteTo(dir_.File("empty.dbf"));
  USE(dir_.File("empty.dbf"));
  EXPECT_TRUE(dBOF());
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(RecNo(), 0);
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 6), "      ");
}

TEST_F(OpenTable, ForeignFieldTypes) {
  RawTable t;
  t.version = 0x8B;
  t.fields = {{"PIC", 'G', 10}, {"BIN", 'b', 10}};
  t.WriteTo(dir_.File("g.dbf"));
  WriteFileBytes(dir_.File("g.dbt"), std::string(512, '\0'));
  USE(dir_.File("g.dbf"));
  EXPECT_EQ(FieldType(1), 'M');
  EXPECT_EQ(FieldType(2), 'M');
  CloseArea();
  t.fields = {{"N", 'X', 4}};
  t.version = 0x03;
  t.WriteTo(dir_.File("x.dbf"));
  EXPECT_EQ(ContextOf(Fail(dir_.File("x.dbf"))),
            "Field: N [X] in " + dir_.File("x.dbf") + " is not a valid field type");
}

TEST_F(OpenTable, NotATable) {
  std::string path = dir_.File("bad.dbf");
  WriteFileBytes(path, "short");
  EXPECT_EQ(Fail(path), "Error # 210 (Not a dBASE data file)\r\n" + path +
                            " is not a dBASE database. (Prolog is less than 32 bytes) [USE/OpenDBF]");
  WriteFileBytes(path, std::string(64, '\x35'));
  EXPECT_EQ(ContextOf(Fail(path)),
            path + " is not a dBASE database.(Invalid version byte)+ [USE/OpenDBF]");
  std::string header(32, '\0');
  header[0] = 3, header[8] = 32;  // header length 32: no descriptors
  WriteFileBytes(path, header);
  EXPECT_EQ(ContextOf(Fail(path)),
            "bad.dbf is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]");
  header[0] = 2;
  WriteFileBytes(path, header + std::string(400, ' '));
  EXPECT_EQ(ContextOf(Fail(path)),
            path + " is not a dBASE database.(Header is less than 521 bytes) [Use/OpenDBF]");
  EXPECT_EQ(Current(), nullptr);
}

// Tables and memo files are regular files. A FIFO would keep the open waiting for its other end
// (opened for reading only, as here), /dev/zero never ends: each is refused at once, as a
// folder is.
TEST_F(OpenTable, OnlyRegularFilesAreTablesOrMemoFiles) {
  RawTable with_memo;
  with_memo.version = 0x83;
  with_memo.fields = {{"NOTE", 'M', 10}};
  const std::string table = dir_.File("x.dbf");
  const std::string memo = dir_.File("x.dbt");
  const struct {
    const char* what;
    std::function<void()> make;
    std::string expected;
  } cases[] = {
      {"FIFO table", [&] { EXPECT_EQ(mkfifo(table.c_str(), 0644), 0); },
       "Failure to open " + table + " [USE/OpenDbf]"},
      {"folder table", [&] { std::filesystem::create_directory(table); },
       "Failure to open " + table + " [USE/OpenDbf]"},
      {"FIFO memo",
       [&] {
         with_memo.WriteTo(table);
         EXPECT_EQ(mkfifo(memo.c_str(), 0644), 0);
       },
       "Memo file not found: " + memo + " [USE]"},
      {"/dev/zero memo",
       [&] {
         with_memo.WriteTo(table);
         std::filesystem::create_symlink("/dev/zero", memo);
       },
       "Memo file not found: " + memo + " [USE]"},
  };
  Switches().open_mode_override = platform::mode::kReadOnly | platform::mode::kDenyNone;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(table);
    std::filesystem::remove_all(memo);
    c.make();
    EXPECT_EQ(testing::OpenInTime([&] { return Fail(table); }, {table, memo}),
              "Error # 5 (File access denied)\r\n" + c.expected);
    EXPECT_EQ(Current(), nullptr);
    CloseAll();
  }
}

TEST_F(OpenTable, DamagedHeadersEndInErrors) {
  std::string path = dir_.File("damaged.dbf");
  RawTable t;
  t.fields = {{"A", 'C', 10}};
  t.records = {" hello"};
  std::string bytes = t.Bytes();
  // A header length beyond the end of the file.
  std::string longer = bytes;
  longer[8] = static_cast<char>(0xFF), longer[9] = 0x0F;
  WriteFileBytes(path, longer.substr(0, 80));
  EXPECT_EQ(ContextOf(Fail(path)), "Error reading " + path + " [Use/OpenDbf]");
  // A record length of 0, and one too short for its fields, where the file's size does not
  // prove the fields' length either.
  for (char length : {'\0', '\x05'}) {
    std::string broken = bytes;
    broken[10] = length, broken[11] = 0;
    WriteFileBytes(path, broken + "xy");
    EXPECT_NE(Fail(path).find("Error # 210"), std::string::npos);
  }
  // The descriptor list ends before its first entry.
  std::string no_fields = bytes;
  no_fields[32] = 0x0D;
  WriteFileBytes(path, no_fields);
  EXPECT_EQ(Fail(path), "Error # 222 (Corrupted index file)\r\nError reading " + path +
                            " [Use/OpenDbf]");
  // More records in the header than in the file: the first read fails, the area stays empty.
  std::string overcounted = bytes;
  overcounted[4] = 9;
  overcounted.resize(overcounted.size() - 12);
  WriteFileBytes(path, overcounted);
  EXPECT_NE(Fail(path).find("Error # 213"), std::string::npos);
  EXPECT_EQ(Current(), nullptr);
}

TEST_F(OpenTable, Dbase2AndLevel7Headers) {
  std::string d2(521, '\0');
  d2[0] = 2, d2[1] = 2, d2[3] = 12, d2[4] = 31, d2[5] = 99, d2[6] = 6;
  std::memcpy(&d2[8], "NAME", 4);
  d2[8 + 11] = 'C', d2[8 + 12] = 5;
  d2[8 + 16] = 0x0D;
  d2 += " abcde fghij";
  WriteFileBytes(dir_.File("two.dbf"), d2);
  USE(dir_.File("two.dbf"));
  EXPECT_EQ(RecCount(), 2);
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 5), "abcde");
  Skip(1);
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 5), "fghij");
  CloseArea();

  RawTable seven;
  seven.version = 0x04;
  seven.fields = {{"LONGNAME", 'C', 3}};
  seven.records = {" xyz"};
  seven.WriteTo(dir_.File("seven.dbf"));
  USE(dir_.File("seven.dbf"));
  EXPECT_EQ(Field(1), "LONGNAME");
  EXPECT_EQ(std::string(FieldAddress(1) + 1, 3), "xyz");
}

TEST_F(OpenTable, UseOptionsAndAliases) {
  std::string path = ThemeTable();
  USE(path);
  EXPECT_EQ(Current()->alias, "THEME");
  EXPECT_FALSE(Current()->exclusive);
  Select(2);
  EXPECT_EQ(ContextOf(Fail(path)), "Alias name \"THEME\" already in use. [USE]");
  EXPECT_EQ(Current(), nullptr);
  USE(path + " alias second");
  EXPECT_EQ(Current()->alias, "SECOND");
  Select(3);
  // EXCLUSIVE counts only as a whole word; an exclusive open is refused while others share.
  EXPECT_EQ(Fail(path + " EXCLUSIVE ALIAS third"),
            "Error # 32 (File sharing violation)\r\nFailure to open " + path + " [USE/OpenDbf]");
  CloseAll();
  USE(path + " exclusive");
  EXPECT_TRUE(Current()->exclusive);
  CloseArea();
  EXPECT_NE(Fail(path + " EXCLUSIVEX").find("Error # 2 "), std::string::npos);
  EXPECT_EQ(ContextOf(Fail("x LINKED LIST")), "[USE(X LINKED LIST ,<@Buffer>,<size>)]");
  USE(" ");  // an empty command only closes
  EXPECT_EQ(Current(), nullptr);
}

// UseTable takes the whole text as the file's name: words the command text reads as options,
// blanks, accents and a leading dash are part of it. Each table holds its own record count,
// so the table opened shows which file it was.
TEST_F(OpenTable, UseTableOpensTheFileItsNameSays) {
  struct Case {
    std::string name, decoy;
  };
  const Case cases[] = {
      {"My exclusive jokes.dbf", "My jokes.dbf"},  // the text command cuts " exclusive"
      {"Jokes alias puns.dbf", "Jokes.dbf"},       // and " alias ..."
      {"A EXCLUSIVE ALIAS B.dbf", "A.dbf"},
      {"-dash.dbf", ""},
      {"  Blanks  around  .dbf", ""},
      {"Gr\xc3\xbc\xc3\x9f exclusive.dbf", "Gr\xc3\xbc\xc3\x9f.dbf"},
  };
  auto make = [&](const std::string& name, int records) {
    RawTable t;
    t.fields = {{"THEDATE", 'C', 4}};
    for (int i = 0; i < records; ++i) t.records.push_back(" 0101");
    t.WriteTo(dir_.File(name));
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    make(c.name, 3);
    if (!c.decoy.empty()) make(c.decoy, 1);
    UseTable(dir_.File(c.name), {});
    EXPECT_EQ(RecCount(), 3);
    EXPECT_FALSE(Current()->exclusive);
    UseTable(dir_.File(c.name), {/*exclusive=*/true, "other"});
    EXPECT_EQ(RecCount(), 3);
    EXPECT_TRUE(Current()->exclusive);
    EXPECT_EQ(Current()->alias, "OTHER");
    CloseArea();
  }
  UseTable(dir_.File("My exclusive jokes"), {});  // the default extension still applies
  EXPECT_EQ(RecCount(), 3);
  UseTable("", {});
  EXPECT_EQ(Current(), nullptr);
}

TEST_F(OpenTable, CallerBuffers) {
  std::string path = ThemeTable();
  char buffer[64];
  EXPECT_EQ(ContextOf(RaisedMessage([&] { USE(path, buffer, 0); })),
            "Buffer is NIL or size is zero, attempting to open " + testing::ContextOf("") +
                [&] { std::string u = path + " "; for (char& c : u) c = static_cast<char>(std::toupper(c)); return u; }() +
                " [USE]");
  std::string message = RaisedMessage([&] { USE(path, buffer, 64); });
  EXPECT_NE(message.find("Error # 266 (Invalid size)"), std::string::npos);
  EXPECT_NE(message.find("[USE()]\n\rRecord Size=30, Buffer Size=64"), std::string::npos);
  USE(path, buffer, 30);
  EXPECT_EQ(FieldAddress(0), buffer);
  EXPECT_EQ(std::string(buffer + 2, 4), "0101");
}

TEST_F(OpenTable, SelectRules) {
  std::string path = ThemeTable();
  for (int area = 1; area <= 33; ++area) {
    Select(area);
    USE(path + " ALIAS A" + std::to_string(area));
  }
  EXPECT_EQ(ContextOf(RaisedMessage([] { Select(0); })), "No free workarea available [Select(0)]");
  EXPECT_EQ(ContextOf(RaisedMessage([] { Select(34); })), "Invalid workarea selected = [Select(34)]");
  Select(7);
  CloseArea();
  Select(0);
  EXPECT_EQ(CurrentArea(), 7);
  CloseAll();
  EXPECT_EQ(CurrentArea(), 1);
}

TEST_F(OpenTable, CreateThenCloseWritesHeaderAndEndMark) {
  std::string path = dir_.File("made");
  CreateDbf(path, {{"thedate", 'c', 4, 0}, {"thejoke", 'M', 0, 0}, {"price", 'F', 7, 2},
                   {"when", 'D', 0, 0}, {"flag", 'L', 0, 0}});
  std::string bytes = ReadFileBytes(dir_.File("made.dbf"));
  ASSERT_EQ(bytes.size(), 32u * 5 + 33 + 1);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 0x8B);  // has a memo: the default memo kind
  EXPECT_EQ(bytes.back(), '\x1A');
  EXPECT_EQ(bytes.substr(32, 7), "THEDATE");
  EXPECT_EQ(ReadFileBytes(dir_.File("made.dbt")).size(), 24u);
  USE(path);
  EXPECT_EQ(FieldLen(2), 10);
  EXPECT_EQ(FieldLen(4), 8);
  EXPECT_EQ(RecSize(), 1 + 4 + 10 + 7 + 8 + 1);
  EXPECT_TRUE(dEOF());

  EXPECT_EQ(RaisedMessage([&] { CreateDbf(path, {{"", 'C', 4, 0}}); }),
            "Error # 211 (Invalid database field type encountered)\r\n"
            "Invalid dBASE field definition [CreateDBF]");
  EXPECT_NE(RaisedMessage([&] { CreateDbf(path, {{"N", 'N', 0, 0}}); }), "");
  EXPECT_NE(RaisedMessage([&] { CreateDbf(path, {{"N", 'X', 3, 0}}); }), "");
}

TEST_F(OpenTable, HeaderRewriteKeepsOtherProgramsBytes) {
  std::string path = ThemeTable(2);
  std::string bytes = ReadFileBytes(path);
  bytes[20] = 'Q';  // something another program keeps in bytes 16-27
  WriteFileBytes(path, bytes);
  USE(path);
  std::memcpy(FieldAddress(1) + 1, "0505", 4);
  RLock();
  Replace();
  CloseArea();
  bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes[20], 'Q');
  EXPECT_NE(static_cast<uint8_t>(bytes[1]), 124);  // the date of the update is today's
}

TEST_F(OpenTable, ProductionIndexFlag) {
  std::string path = ThemeTable(1);
  USE(path);
  EXPECT_FALSE(ProductionIndexFlag());
  SetProductionIndexFlag(true);
  CloseArea();
  EXPECT_EQ(ReadFileBytes(path)[28], 1);
}

}  // namespace
}  // namespace vornelle::engine
