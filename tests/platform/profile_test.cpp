// The settings file: values read, and writes that change only their own lines, keep every
// other byte and the file's encoding and line ends, or fail without touching the file.

#include "platform/profile.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <vector>

#include "tests/support/test_support.h"

namespace vornelle::platform {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

// UTF-8 text in another character set.
std::string Converted(const std::string& utf8, const char* charset) {
  iconv_t cd = iconv_open(charset, "UTF-8");
  std::string out(utf8.size() * 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* to = out.data();
  std::size_t in_left = utf8.size(), out_left = out.size();
  EXPECT_NE(iconv(cd, &in, &in_left, &to, &out_left), static_cast<std::size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

class Profile : public ::testing::Test {
 protected:
  std::string Get(std::string_view section, std::string_view key, std::size_t max = 2047) {
    return GetProfileString(path_, section, key, "<none>", max);
  }
  // Nothing but the settings file itself is left in the folder.
  std::size_t FilesInFolder() {
    return std::distance(std::filesystem::directory_iterator(dir_.path()), {});
  }
  testing::TempDir dir_;
  std::string path_ = dir_.File("vornelle.ini");
};

TEST_F(Profile, MissingFileSectionOrKeyGiveTheDefault) {
  EXPECT_EQ(Get("Main", "Top"), "<none>");
  EXPECT_EQ(GetProfileString(path_, "Main", "Top", "Müller", 2), "M");  // cut like a value
  WriteFileBytes(path_, "Top=1\n[Main]\nLeft=2\nno equals sign\n[Other]\nTop=3\n");
  EXPECT_EQ(Get("Main", "Top"), "<none>");  // neither before the section nor in another
  EXPECT_EQ(Get("Main", "no equals sign"), "<none>");
  EXPECT_EQ(Get("Nothing", "Left"), "<none>");
}

TEST_F(Profile, NamesAndValuesAsTheOldPlatformRead) {
  WriteFileBytes(path_,
                 "; comment\r\n[ Window ]\r\n  top  =  0x20  \r\n;Left=1\r\n#Left=2\r\n"
                 "Title = \"  Calendar \"\r\nQuote='a'b'\r\nHalf=\"open\r\nEmpty=\r\n"
                 "Sum=a=b\r\ntop=second\r\n[window]\r\nLeft=other\r\n");
  EXPECT_EQ(Get("WINDOW", "TOP"), "0x20");
  EXPECT_EQ(Get("window", "Left"), "<none>");  // only the first section of a name counts
  EXPECT_EQ(Get("Window", "Title"), "  Calendar ");
  EXPECT_EQ(Get("Window", "Quote"), "a'b");
  EXPECT_EQ(Get("Window", "Half"), "\"open");
  EXPECT_EQ(Get("Window", "Empty"), "");
  EXPECT_EQ(Get("Window", "Sum"), "a=b");
}

TEST_F(Profile, OldCodePageBytesAndByteOrderMark) {
  WriteFileBytes(path_, "\xEF\xBB\xBF[Names]\nOld=M\xFCller\nNew=Müller\n[Gr\xF6\xDF" "e]\nA=\x80\n");
  EXPECT_EQ(Get("names", "Old"), "Müller");
  EXPECT_EQ(Get("Names", "New"), "Müller");
  EXPECT_EQ(Get("Größe", "A"), "€");
  // A UTF-8 line added to an old file reads as UTF-8, the old lines still as 1252.
  ASSERT_TRUE(WriteProfileString(path_, "Names", "Added", "Weiß"));
  EXPECT_EQ(Get("Names", "Added"), "Weiß");
  EXPECT_EQ(Get("Names", "Old"), "Müller");
  EXPECT_EQ(ReadFileBytes(path_).substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(Profile, CutsWithoutSplittingACharacter) {
  WriteFileBytes(path_, "[A]\nK=abcü€\n");
  EXPECT_EQ(Get("A", "K", 3), "abc");
  EXPECT_EQ(Get("A", "K", 4), "abc");  // ü is two bytes
  EXPECT_EQ(Get("A", "K", 7), "abcü");
  EXPECT_EQ(Get("A", "K", 8), "abcü€");
  EXPECT_EQ(Get("A", "K", 0), "");
}

TEST_F(Profile, WriteChangesOnlyItsLine) {
  const std::string before =
      "; settings\r\n\r\n[Window]\r\nTop=1\r\n  LEFT = 2 ; old\r\nUnknown=x\r\n\r\n\r\n"
      "[Window]\r\nLeft=dup\r\n[Files]\r\nDB_10=jokes.dbf";
  WriteFileBytes(path_, before);
  ASSERT_TRUE(WriteProfileString(path_, "window", "left", "$20"));
  std::string expected = before;
  expected.replace(before.find("  LEFT"), 16, "LEFT=$20");
  EXPECT_EQ(ReadFileBytes(path_), expected);

  ASSERT_TRUE(WriteProfileString(path_, "Window", "Width", "640"));  // after Unknown=x
  expected.insert(expected.find("Unknown=x\r\n") + 11, "Width=640\r\n");
  EXPECT_EQ(ReadFileBytes(path_), expected);

  ASSERT_TRUE(WriteProfileString(path_, "Files", "DB_11", "x.dbf"));  // last line had no end
  expected += "\r\nDB_11=x.dbf\r\n";
  EXPECT_EQ(ReadFileBytes(path_), expected);

  ASSERT_TRUE(WriteProfileString(path_, "Colors", "Back", "0x20"));
  expected += "\r\n[Colors]\r\nBack=0x20\r\n";
  EXPECT_EQ(ReadFileBytes(path_), expected);
  EXPECT_EQ(Get("Window", "Left"), "$20");
}

TEST_F(Profile, CreatesAFileAndReadsBackManyValues) {
  ASSERT_TRUE(WriteProfileString(path_, "Main", "Top", "0x20"));
  EXPECT_EQ(ReadFileBytes(path_), "[Main]\nTop=0x20\n");
  const std::string kept[] = {"  padded ", "\"quoted\"", "'single'", "", "Zoë ☃"};
  for (int i = 0; i < 60; ++i) {
    const std::string value = i < 5 ? kept[i] : "$" + std::to_string(i);
    ASSERT_TRUE(WriteProfileString(path_, i % 2 ? "Odd" : "Even", "DB_" + std::to_string(i),
                                   value));
  }
  for (int i = 0; i < 60; ++i) {
    const std::string value = i < 5 ? kept[i] : "$" + std::to_string(i);
    EXPECT_EQ(Get(i % 2 ? "Odd" : "Even", "db_" + std::to_string(i)), value) << i;
  }
  EXPECT_EQ(Get("Main", "Top"), "0x20");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(Profile, FailedWritesLeaveEverythingAsItWas) {
  const std::string before = "[Main]\nTop=1\n";
  WriteFileBytes(path_, before);
  chmod(path_.c_str(), 0444);
  errno = 0;
  EXPECT_FALSE(WriteProfileString(path_, "Main", "Top", "2"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(ReadFileBytes(path_), before);
  chmod(path_.c_str(), 0640);
  for (auto [section, key, value] : {std::array<const char*, 3>{"Main", "Top", "1\n[X]"},
                                     {"Main", "A=B", "1"}, {"Ma]in", "Top", "1"},
                                     {"Main", ";Top", "1"}, {"", "Top", "1"}}) {
    errno = 0;
    EXPECT_FALSE(WriteProfileString(path_, section, key, value)) << section << key << value;
    EXPECT_EQ(errno, EINVAL);
  }
  EXPECT_EQ(ReadFileBytes(path_), before);
  EXPECT_FALSE(WriteProfileString(dir_.File("missing/vornelle.ini"), "Main", "Top", "1"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(FilesInFolder(), 1u);

  // A full disk, as the file size limit makes it: the half-written copy goes away.
  struct rlimit old_limit;
  getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = signal(SIGXFSZ, SIG_IGN);
  const struct rlimit small = {4096, old_limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  errno = 0;
  EXPECT_FALSE(WriteProfileString(path_, "Main", "Top", std::string(10000, 'x')));
  EXPECT_EQ(errno, EFBIG);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(ReadFileBytes(path_), before);
  EXPECT_EQ(FilesInFolder(), 1u);

  // A successful write keeps the permission bits it found.
  ASSERT_TRUE(WriteProfileString(path_, "Main", "Top", "2"));
  struct stat st;
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// A settings file kept elsewhere under its own name (links to other files are refused: see
// profile_file_test.cpp).
TEST_F(Profile, WritesThroughALink) {
  std::filesystem::create_directory(dir_.File("elsewhere"));
  const std::string real = dir_.File("elsewhere/VORNELLE.INI");
  WriteFileBytes(real, "[Main]\nTop=1\n");
  std::filesystem::create_symlink(real, path_);
  ASSERT_TRUE(WriteProfileString(path_, "Main", "Top", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(ReadFileBytes(real), "[Main]\nTop=2\n");
}

// Each row's file in its own encoding and line ends: values read, and writes that keep both,
// whether the values go one at a time or in one write.
TEST_F(Profile, LineEndsAndEncodingsAreReadAndKept) {
  struct Row {
    const char* name;
    const char* bom;
    const char* charset;
    const char* eol;
  };
  const Row rows[] = {{"LF", "", "UTF-8", "\n"},
                      {"CR", "", "UTF-8", "\r"},
                      {"CR LF", "", "UTF-8", "\r\n"},
                      {"UTF-8 mark, CR", "\xEF\xBB\xBF", "UTF-8", "\r"},
                      {"UTF-16LE, CR LF", "\xFF\xFE", "UTF-16LE", "\r\n"},
                      {"UTF-16BE, LF", "\xFE\xFF", "UTF-16BE", "\n"},
                      {"UTF-16LE, CR", "\xFF\xFE", "UTF-16LE", "\r"}};
  const std::string before = "[Main]\nTop=1\n; ü\n[Other]\nX=2\n";
  const std::string after = "[Main]\nTop=2\nLeft=3\n; ü\n[Other]\nX=2\n\n[New]\nK=ü€😀\n";
  const std::vector<ProfileValue> values = {{"Main", "Top", "9"}, {"main", "Left", "3"},
                                            {"New", "K", "old"},  {"New", "K", "ü€😀"},
                                            {"Main", "TOP", "2"}};
  for (const Row& row : rows) {
    const auto stored = [&](const std::string& text) {
      std::string lines;
      for (char c : text) lines += c == '\n' ? std::string(row.eol) : std::string(1, c);
      return row.bom + Converted(lines, row.charset);
    };
    for (const bool at_once : {true, false}) {
      WriteFileBytes(path_, stored(before));
      EXPECT_EQ(Get("Other", "X"), "2") << row.name;
      if (at_once) {
        ASSERT_TRUE(WriteProfileStrings(path_, values)) << row.name;
      } else {
        for (const ProfileValue& v : values) ASSERT_TRUE(WriteProfileString(path_, v.section, v.key, v.value));
      }
      EXPECT_EQ(ReadFileBytes(path_), stored(after)) << row.name << (at_once ? " at once" : " one by one");
      EXPECT_EQ(Get("New", "K"), "ü€😀") << row.name;
    }
  }
}

}  // namespace
}  // namespace vornelle::platform
