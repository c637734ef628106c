// Memo files of the three layouts: reading values in every stored form, writing them the way
// each family's readers expect, lines, streams, seeking, and damaged files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "engine/engine.h"
#include "engine/memo_internal.h"
#include "platform/error_codes.h"
#include "platform/file.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::ContextOf;
using testing::RawTable;
using testing::RaisedMessage;
using testing::ReadFileBytes;
using testing::WriteFileBytes;
using namespace std::string_literals;

std::string LE32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * i));
  return s;
}
std::string BE32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * (3 - i)));
  return s;
}
std::string Pad(std::string s, std::size_t to) {
  s.resize(to, '\0');
  return s;
}

class Memo : public testing::EngineTest {
 protected:
  // A one-field memo table of the given version whose records point at `blocks`.
  void Table(uint8_t version, const std::string& memo_bytes, std::vector<int32_t> blocks,
             const char* ext = "dbt") {
    RawTable t;
    t.version = version;
    t.fields = {{"NOTE", 'M', 10}};
    for (int32_t b : blocks) {
      char row[16];
      std::snprintf(row, sizeof row, " %10d", b);
      t.records.push_back(row);
    }
    t.WriteTo(dir_.File("m.dbf"));
    WriteFileBytes(dir_.File(std::string("m.") + ext), memo_bytes);
  }
  int32_t Block() {
    int32_t b;
    std::memcpy(&b, FieldAddress(1), 4);
    return b;
  }
  std::vector<std::string> Lines(int32_t block) {
    MemoTextReader reader;
    std::vector<std::string> out;
    EXPECT_EQ(reader.Open(&block), 0);
    std::string line;
    while (reader.ReadLine(line)) out.push_back(line);
    reader.Close();
    return out;
  }
};

TEST_F(Memo, Dbase3ValuesEndAtTheirFirstEndMark) {
  std::string file = Pad(LE32(3), 512) + Pad("first line\r\nsecond\x1A\x1A junk", 512) + "x\x1A";
  Table(0x83, file, {1, 2});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(ReadMemoValue(1, false), "first line\r\nsecond");
  EXPECT_EQ(Lines(1), (std::vector<std::string>{"first line", "second"}));
  EXPECT_EQ(ReadMemoValue(-1, false), "first line\r\nsecond");  // the sign is ignored
  CreateBlobDescriptor(false, 1, BlobMode::Read);
  EXPECT_EQ(SeekBlob(0, 2), 18);  // the length is learnt by reading through
  EXPECT_EQ(SeekBlob(-6, 1), 12);
  char buffer[16] = {};
  EXPECT_EQ(ReadBlobStream(buffer, 16), 6);
  EXPECT_STREQ(buffer, "second");
  DestroyBlobDescriptor();
}

TEST_F(Memo, HeadedValuesOfEveryFamily) {
  // A dBASE IV block, and a headed block in a dBASE III file (as older writes left them).
  std::string d4 = Pad(LE32(2) + std::string(16, '\0') + "\x00\x02"s, 512) +
                   Pad("\xFF\xFF\x08\x00"s + LE32(8 + 5) + "hello", 512);
  Table(0x8B, d4, {1});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(ReadMemoValue(Block(), false), "hello");
  CloseArea();
  Table(0x83, d4, {-1});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(ReadMemoValue(Block(), false), "hello");
  CloseArea();
  // FoxPro: big-endian lengths and block size; an empty value reads as empty.
  std::string fox = Pad(BE32(3) + "\0\0\x00\x40"s, 512) +
                    Pad(BE32(1) + BE32(0), 64) + Pad(BE32(1) + BE32(3) + "abc", 64);
  Table(0xF5, fox, {8, 9}, "fpt");
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(Current()->memo->block_size, 64);
  EXPECT_EQ(ReadMemoValue(8, false), "");
  EXPECT_EQ(ReadMemoValue(9, false), "abc");
}

TEST_F(Memo, WrittenValuesMatchEachFamilysLayout) {
  Switches().default_memo_type = kMemoDbase3;
  CreateDbf(dir_.File("three.dbf"), {{"NOTE", 'M', 10, 0}});
  EXPECT_EQ(ReadFileBytes(dir_.File("three.dbt")).size(), 513u);
  USE(dir_.File("three.dbf"));
  int32_t first = WriteMemoValue("abc", false);
  int32_t second = WriteMemoValue("de", false);
  EXPECT_EQ(first, 1);  // over the new file's end mark, with a plain positive number
  EXPECT_EQ(second, 2);
  std::string bytes = ReadFileBytes(dir_.File("three.dbt"));
  EXPECT_EQ(bytes.substr(512, 5), "abc\x1A\x1A");
  EXPECT_EQ(bytes.substr(1024, 4), "de\x1A\x1A");
  EXPECT_EQ(bytes.substr(0, 4), LE32(3));  // the next free block
  CloseArea();

  Switches().default_memo_type = kMemoFoxPro;
  CreateDbf(dir_.File("fox.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("fox.dbf"));
  EXPECT_EQ(WriteMemoValue("xyz", false), 1);
  bytes = ReadFileBytes(dir_.File("fox.fpt"));
  EXPECT_EQ(bytes.substr(512, 11), BE32(1) + BE32(3) + "xyz");
  EXPECT_EQ(bytes.substr(0, 4), BE32(2));
  CloseArea();

  Switches().default_memo_type = kMemoDbase4;
  CreateDbf(dir_.File("four.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("four.dbf"));
  EXPECT_EQ(WriteMemoValue("hi", false), 1);
  bytes = ReadFileBytes(dir_.File("four.dbt"));
  EXPECT_EQ(bytes.substr(512, 10), "\xFF\xFF\x08\x00"s + LE32(10) + "hi");
  EXPECT_EQ(bytes.substr(0, 4), LE32(2));
  EXPECT_EQ(ReadMemoValue(1, false), "hi");
}

// A sequential scan reads the memo file through its read-ahead window: every family's values,
// small, across a window's edge, larger than a window and than a MiB, in order and out of it,
// come out whole as a plain open reads them (also where a scan only views them), and so do
// their lines. A value takes the room of its bytes, not of the longest value a length yet
// unknown might allow.
TEST_F(Memo, ASequentialScanReadsEveryValueAsAPlainOpenDoes) {
  const std::vector<std::string> values = {"short", std::string(700, 'x') + "\r\nend", "",
                                           std::string(70000, 'y'), "after the large one",
                                           std::string((1 << 20) + 5000, 'z')};
  const std::vector<std::size_t> order = {0, 1, 2, 3, 4, 1, 5, 0};  // file order, then back
  for (const uint8_t kind : {kMemoDbase3, kMemoDbase4, kMemoFoxPro}) {
    Switches().default_memo_type = kind;
    const std::string table = dir_.File("scan" + std::to_string(kind) + ".dbf");
    CreateDbf(table, {{"NOTE", 'M', 10, 0}});
    UseTable(table, {/*exclusive=*/true, ""});
    std::vector<int32_t> blocks;
    for (const std::string& value : values) blocks.push_back(WriteMemoValue(value, false));
    for (const std::size_t i : order) {
      ClearRecord();
      std::memcpy(FieldAddress(1), &blocks[i], 4);
      Append();
    }
    CloseArea();
    std::vector<std::string> lines[2];
    for (int sequential = 0; sequential < 2; ++sequential) {
      UseTable(table, {false, "", sequential == 1});
      std::size_t record = 0;
      for (GoTop(); !dEOF(); Skip(1), ++record) {
        std::string value;
        EXPECT_TRUE(ReadMemoValueInto(Block(), false, value));
        EXPECT_EQ(value, values[order[record]]) << "memo kind " << int(kind) << ", record " << record + 1;
        EXPECT_LE(value.capacity(), std::max<std::size_t>(2 * value.size(), 4096)) << "memo kind " << int(kind);
        std::string room;
        std::string_view view;
        EXPECT_TRUE(ViewMemoValue(Block(), room, &view));
        EXPECT_EQ(view, values[order[record]]) << "viewed, memo kind " << int(kind) << ", record " << record + 1;
        for (const std::string& line : Lines(Block())) lines[sequential].push_back(line);
      }
      CloseArea();
    }
    EXPECT_EQ(lines[1], lines[0]) << "memo kind " << int(kind);
  }
}

TEST_F(Memo, Dbase3ValueHoldingTheEndMarkIsRefusedWhole) {
  Switches().default_memo_type = kMemoDbase3;
  CreateDbf(dir_.File("three.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("three.dbf"));
  const std::string before = ReadFileBytes(dir_.File("three.dbt"));
  const std::string value = "abc\x1A" "def";
  EXPECT_EQ(RaisedMessage([&] { WriteMemoValue(value, false); }),
            "Error # 1005 (Memo file write error)\r\n" + dir_.File("three.dbt") +
                " A dBASE III memo cannot hold the byte 0x1A [WriteBlobStream]");
  EXPECT_EQ(ReadFileBytes(dir_.File("three.dbt")).substr(0, 513), before);  // next free block unchanged
  // The next value takes the place the refused one would have had.
  EXPECT_EQ(WriteMemoValue("ok", false), 1);
  EXPECT_EQ(ReadMemoValue(1, false), "ok");
  CloseArea();
  // The other families keep such a value whole.
  Switches().default_memo_type = kMemoFoxPro;
  CreateDbf(dir_.File("fox.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("fox.dbf"));
  EXPECT_EQ(ReadMemoValue(WriteMemoValue(value, false), false), value);
}

TEST_F(Memo, TranslationIsDecidedByTheValuesOwnBytes) {
  CreateDbf(dir_.File("t.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("t.dbf"));
  std::string text = "gr\xFC\xDF" "e\r\n";  // ANSI
  const std::string caller_copy = text;
  int32_t block = WriteMemoValue(text, true);
  EXPECT_EQ(text, caller_copy);  // the caller's text is never converted in place
  EXPECT_EQ(ReadMemoValue(block, false), "gr\x81\xE1" "e\r\n");  // stored as OEM
  EXPECT_EQ(ReadMemoValue(block, true), text);
  std::string binary("\x01\xFC\xFC", 3);
  int32_t raw = WriteMemoValue(binary, true);
  EXPECT_EQ(ReadMemoValue(raw, false), binary);  // a control byte: stored unchanged
  EXPECT_EQ(ReadMemoValue(raw, true), binary);
}

TEST_F(Memo, Dbase3TextIsNotMistakenForBinaryByItsPadding) {
  std::string file = Pad(LE32(2), 512) + "caf\x82\x1A\x1A" + std::string(100, '\0');
  Table(0x83, file, {1});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(ReadMemoValue(1, true), "caf\xE9");
}

TEST_F(Memo, LargeValuesStreamInPieces) {
  CreateDbf(dir_.File("big.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("big.dbf"));
  std::string text(40000, 'a');
  text[35000] = '\x01';  // beyond the first piece: the value is still taken as text
  text[10] = '\x81';
  int32_t block = WriteMemoValue(text, false);
  CreateBlobDescriptor(true, block, BlobMode::Read);
  std::string out(40000, '\0');
  EXPECT_EQ(ReadBlobStream(out.data(), 50000), 40000);
  DestroyBlobDescriptor();
  EXPECT_EQ(out[10], '\xFC');
  EXPECT_EQ(out[35000], '\x01');
}

TEST_F(Memo, ShortValuesCostOneReadAndLongOnesAreReadWhole) {
  CreateDbf(dir_.File("n.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("n.dbf"));
  int32_t small = WriteMemoValue("hello", false);
  std::string long_text(3000, 'x');
  int32_t big = WriteMemoValue(long_text, false);
  platform::faults::FailNthRead(2, platform::kReadFault);
  EXPECT_EQ(ReadMemoValue(small, false), "hello");  // header and text in the one read
  platform::faults::Clear();
  EXPECT_EQ(ReadMemoValue(big, false), long_text);

  // A second open, as another program would, adds a value beyond the size this one last saw.
  std::string later(5000, 'y');
  Select(2);
  USE(dir_.File("n.dbf") + " ALIAS OTHER");
  int32_t added = WriteMemoValue(later, false);
  Select(1);
  EXPECT_EQ(ReadMemoValue(added, false), later);
  CloseAll();

  // A FoxPro value longer than its 64-byte block comes in the same one read.
  const std::string fox_text(150, 'f');
  Table(0xF5, Pad(BE32(11) + "\0\0\x00\x40"s, 512) + Pad(BE32(1) + BE32(150) + fox_text, 192), {8},
        "fpt");
  USE(dir_.File("m.dbf"));
  platform::faults::FailNthRead(2, platform::kReadFault);
  EXPECT_EQ(ReadMemoValue(8, false), fox_text);
  platform::faults::Clear();
  CloseAll();

  // A dBASE III value whose end mark lies beyond its first block.
  Table(0x83, Pad(LE32(5), 512) + std::string(1500, 'z') + "\x1A\x1A", {1});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(ReadMemoValue(1, false), std::string(1500, 'z'));
}

TEST_F(Memo, LinesBreakAtReturnsAndWidth) {
  CreateDbf(dir_.File("l.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("l.dbf"));
  std::string words;
  while (words.size() < 300) words += "word ";
  std::string text = "one\r\ntwo\rsoft\x8D\npart\r\n" + words + "\r\n" + std::string(260, 'x');
  int32_t block = WriteMemoValue(text, false);
  ASSERT_TRUE(GetMemo(block));
  const MemoLines& list = MemoLineList();
  ASSERT_EQ(list.lines.size(), 8u);
  EXPECT_EQ(list.lines[0], "one");
  EXPECT_EQ(list.ends[1], 0x0D);
  EXPECT_EQ(list.lines[2], "soft");
  EXPECT_EQ(list.ends[2], 0x8D);
  EXPECT_EQ(list.lines[4].size(), 250u);  // broken after the last blank before 253
  EXPECT_EQ(list.lines[4].back(), ' ');
  EXPECT_EQ(list.ends[4], 0);
  EXPECT_EQ(list.lines[6].size(), 253u);  // no blank: broken after the 253rd character
  EXPECT_EQ(list.lines[7].size(), 7u);
  // By lines: one per hard return, soft returns and width breaks joined.
  std::vector<std::string> lines = Lines(block);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "softpart");
  EXPECT_EQ(lines[3], words);
  EXPECT_EQ(lines[4], std::string(260, 'x'));
  ASSERT_TRUE(GetMemo(block, 2));
  EXPECT_EQ(MemoLineList().lines.size(), 2u);
  ASSERT_TRUE(GetMemo(0));
  EXPECT_TRUE(MemoLineList().lines.empty());
}

// Only 0x8D 0x0A is a soft return; a lone 0x8D is the letter it stands for (ì in code page 437),
// also where the pair falls across two reads and at the value's end.
TEST_F(Memo, OnlyTheSoftReturnPairJoinsLines) {
  CreateDbf(dir_.File("s.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("s.dbf"));
  const std::string a503(503, 'a');  // the first read holds 504 bytes of the value
  const struct {
    std::string stored;
    std::vector<std::string> lines;
  } cases[] = {
      {"Oggi \x8A luned\x8D, domani marted\x8D.", {"Oggi \x8A luned\x8D, domani marted\x8D."}},
      {"wrap\x8D\nped\r\nnext", {"wrapped", "next"}},
      {"ends in\x8D", {"ends in\x8D"}},
      {"before a return\x8D\r\nx", {"before a return\x8D", "x"}},
      {"two\x8D\x8D\nx", {"two\x8Dx"}},
      {a503 + "\x8D\nb", {a503 + "b"}},
      {a503 + "\x8D" "b", {a503 + "\x8D" "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored.substr(0, 40));
    EXPECT_EQ(Lines(WriteMemoValue(c.stored, false)), c.lines);
    std::string joined = c.stored;
    RemoveSoftReturns(joined);
    std::string expected;
    for (const std::string& line : c.lines) expected += (expected.empty() ? "" : "\r\n") + line;
    EXPECT_EQ(joined, expected);
  }
}

TEST_F(Memo, ManyLinesAreReadButOnlyTheListsRoomKept) {
  CreateDbf(dir_.File("many.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("many.dbf"));
  std::string text;
  for (int i = 0; i < 1500; ++i) text += "l\r\n";
  ASSERT_TRUE(GetMemo(WriteMemoValue(text, false)));
  EXPECT_EQ(MemoLineList().lines.size(), 1024u);
}

TEST_F(Memo, WriterStoresTheNewBlock) {
  CreateDbf(dir_.File("w.dbf"), {{"NOTE", 'M', 10, 0}});
  USE(dir_.File("w.dbf"));
  int32_t block = 0;
  MemoTextWriter writer;
  ASSERT_EQ(writer.Open(&block), 0);
  writer.WriteLine("alpha");
  writer.Write("beta");
  EXPECT_EQ(writer.Close(), 0);
  EXPECT_EQ(ReadMemoValue(block, false), "alpha\r\nbeta");
  ASSERT_EQ(writer.Open(&block, true), 0);
  writer.Write("!");
  writer.Close();
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"alpha", "beta!"}));
}

TEST_F(Memo, DamagedMemoFilesEndInErrors) {
  // Offsets at or past the end, and a length that runs past the end of the file.
  std::string d4 = Pad(LE32(2), 512) + "\xFF\xFF\x08\x00"s + LE32(100000) + "short";
  Table(0x8B, d4, {1, 5});
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(RaisedMessage([] { ReadMemoValue(1, false); }).substr(0, 46),
            "Error # 213 (End of file found unexpectedly)\r\n");
  EXPECT_EQ(ContextOf(RaisedMessage([] { GetMemo(5); })),
            dir_.File("m.dbt") + "\n Record # 1 [GetMemo]");
  EXPECT_NE(RaisedMessage([] { GetMemo(-5); }).find("Error # 1003 (Invalid memo address)"),
            std::string::npos);
  SetAutoCheck(false);
  EXPECT_EQ(CreateBlobDescriptor(false, 5, BlobMode::Read), 0);
  EXPECT_EQ(LastError(), 1003);
  EXPECT_FALSE(Current()->memo->blob.active);
  SetAutoCheck(true);
  CloseArea();
  // A table that needs a memo file that is not there: the memo file's report is the one raised,
  // and without raising the table's own report follows it.
  std::remove(dir_.File("m.dbt").c_str());
  std::string message = RaisedMessage([&] { USE(dir_.File("m.dbf")); });
  EXPECT_EQ(message, "Error # 2 (File not found)\r\nMemo file not found: " + dir_.File("m.dbt") + " [USE]");
  EXPECT_EQ(Current(), nullptr);
  SetAutoCheck(false);
  USE(dir_.File("m.dbf"));
  EXPECT_EQ(LastError(), 2);
  std::string upper = dir_.File("m.dbf") + " ";
  for (char& c : upper) c = static_cast<char>(std::toupper(c));
  EXPECT_EQ(ContextMessage(), "Problem opening memo file [USE(" + upper + ",<@Buffer>,0)]");
  EXPECT_EQ(Current(), nullptr);
  SetAutoCheck(true);
}

// A value's length is capped by the memo file's size and by 2^31-1 (a claim past either ends in
// an error before anything is read or gathered), and the line reader reads at most 16 MiB.
TEST_F(Memo, ValuesPastTheLimitsEndInErrors) {
  constexpr int64_t kGiB = int64_t{1} << 30;
  const std::string d4_head = Pad(LE32(2) + std::string(16, '\0') + "\x00\x02"s, 512);
  const std::string fox_head = Pad(BE32(9) + "\0\0\x00\x40"s, 512);
  const std::string of_17_mib(17 << 20, 'a');
  const struct {
    const char* what;
    uint8_t version;
    std::string bytes;
    int64_t sparse_size;  // the file is made this long with a hole; 0: the bytes as they are
    std::string read_error;  // "": the value reads whole, `length` bytes
    int64_t length;
  } cases[] = {
      {"dBASE IV, 2.5 GB claimed", 0x8B, d4_head + "\xFF\xFF\x08\x00"s + LE32(0xA0000008), 3 * kGiB,
       "[CreateBlobDescriptor]", 0},
      {"FoxPro, 2.5 GB claimed", 0xF5, fox_head + BE32(1) + BE32(0xA0000000), 3 * kGiB,
       "[CreateBlobDescriptor]", 0},
      {"dBASE III, no end mark in 3 GB", 0x83, Pad(LE32(2), 512), 3 * kGiB, "[ReadBlobStream]", 0},
      {"dBASE IV, 17 MiB", 0x8B, d4_head + "\xFF\xFF\x08\x00"s + LE32((17 << 20) + 8) + of_17_mib, 0,
       "", 17 << 20},
      {"dBASE III, 17 MiB", 0x83, Pad(LE32(2), 512) + of_17_mib + "\x1A", 0, "", 17 << 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool fox = c.version == 0xF5;
    const int32_t block = fox ? 8 : 1;
    Table(c.version, c.bytes, {block}, fox ? "fpt" : "dbt");
    const std::string memo = dir_.File(fox ? "m.fpt" : "m.dbt");
    if (c.sparse_size > 0) std::filesystem::resize_file(memo, static_cast<uintmax_t>(c.sparse_size));
    USE(dir_.File("m.dbf"));
    if (c.read_error.empty()) {
      EXPECT_EQ(ReadMemoValue(block, false).size(), static_cast<std::size_t>(c.length));
    } else {
      EXPECT_EQ(RaisedMessage([&] { ReadMemoValue(block, false); }),
                "Error # 1003 (Invalid memo address)\r\n" + std::to_string(block) + " " + memo +
                    " A memo value cannot pass 2147483647 bytes Record # 1 " + c.read_error);
    }
    EXPECT_EQ(RaisedMessage([&] { GetMemo(block); }),
              "Error # 217 (Insufficient memory)\r\n" + memo +
                  " A memo value read by lines cannot pass 16777216 bytes\n Record # 1 [GetMemo]");
    CloseAll();
    std::filesystem::remove(memo);
  }
}

TEST_F(Memo, NoMemoFile) {
  RawTable t;
  t.fields = {{"A", 'C', 2}};
  t.WriteTo(dir_.File("plain.dbf"));
  USE(dir_.File("plain.dbf"));
  EXPECT_EQ(ContextOf(RaisedMessage([] { CreateBlobDescriptor(false, 1, BlobMode::Read); })),
            dir_.File("plain.dbf") + " No Memo Field [CreateBlobDescriptor]");
  EXPECT_EQ(GetMemoType(), kMemoDbase4);
  // Reading lines names the routine that binds a memo for line access.
  EXPECT_EQ(ContextOf(RaisedMessage([] { GetMemo(1); })), dir_.File("plain.dbf") + " No Memo Field [AssignMemo]");
  CloseArea();
  EXPECT_EQ(RaisedMessage([] { GetMemo(1); }), "Error # 215 (No database in use)\r\n [AssignMemo]");
}

TEST_F(Memo, Dbase4FreeChainIsReusedAndCannotLoop) {
  // Block 0 points at a free run of 3 blocks at 2, whose next points back at itself.
  std::string d4 = Pad(LE32(2) + std::string(16, '\0') + "\x00\x02"s, 512) +
                   Pad("\xFF\xFF\x08\x00"s + LE32(8 + 3) + "old", 512) +
                   Pad(LE32(2) + LE32(3), 512) + std::string(1024, '\0');
  Table(0x8B, d4, {1});
  USE(dir_.File("m.dbf"));
  int32_t block = CreateBlobDescriptor(false, 0, BlobMode::Write, 600);  // needs 2 blocks
  EXPECT_EQ(block, 2);
  WriteBlobStream(std::string(600, 'z').data(), 600);
  DestroyBlobDescriptor();
  EXPECT_EQ(ReadMemoValue(2, false), std::string(600, 'z'));
  std::string bytes = ReadFileBytes(dir_.File("m.dbt"));
  EXPECT_EQ(bytes.substr(0, 4), LE32(4));  // the chain now starts at the run's surplus
  EXPECT_EQ(bytes.substr(4 * 512, 8), LE32(2) + LE32(1));
  // A run too small for the value: it goes to the end; the loop in the chain ends the search.
  int32_t at_end = CreateBlobDescriptor(false, 0, BlobMode::Write, 5000);
  EXPECT_EQ(at_end, 5);
  DestroyBlobDescriptor();
}

}  // namespace
}  // namespace vornelle::engine
