// The settings file among other processes and odd files: concurrent writers, links, devices,
// FIFOs, huge files and folders that refuse new files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/profile.h"
#include "tests/support/test_support.h"

namespace vornelle::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// `body` in a child process, started now; as an unprivileged user when asked and the tests run
// as root, so that permissions hold.
pid_t Spawn(const std::function<bool()>& body, bool unprivileged = false) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
  _exit(body() ? 0 : 1);
}

int ExitStatus(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ProfileFile : public ::testing::Test {
 protected:
  std::string Get(const std::string& path, const char* key) {
    return GetProfileString(path, "Main", key, "<none>");
  }
  std::size_t FilesIn(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), {});
  }
  testing::TempDir dir_;
  std::string path_ = dir_.File("vornelle.ini");
};

TEST_F(ProfileFile, TwoWritersAtOnceKeepEachOthersKeys) {
  const auto write = [this](const std::string& prefix) {
    for (int i = 0; i < 50; ++i) {
      if (!WriteProfileString(path_, "Main", prefix + std::to_string(i), prefix)) return false;
    }
    return true;
  };
  const pid_t child = Spawn([&] { return write("child"); });
  EXPECT_TRUE(write("parent"));
  ASSERT_EQ(ExitStatus(child), 0);
  const ProfileReader file(path_);
  for (const std::string prefix : {"child", "parent"}) {
    for (int i = 0; i < 50; ++i) EXPECT_EQ(file.Get("Main", prefix + std::to_string(i), "<none>"), prefix) << i;
  }
  EXPECT_EQ(FilesIn(dir_.path()), 1u);
}

// The settings file in folder "cal" links to a file in "elsewhere"; the write goes through only
// when the file at the end of the links has the settings file's name.
TEST_F(ProfileFile, LinksAreWrittenThroughOnlyToAFileOfTheSameName) {
  struct Row {
    const char* link;        // the settings file's link, from "cal"
    const char* hop;         // a second link "elsewhere/hop" to this, when set
    const char* target;      // the file in "elsewhere"
    bool written;
  };
  const Row rows[] = {{"../elsewhere/.bashrc", nullptr, ".bashrc", false},
                      {"../elsewhere/hop", "vornelle.ini", "vornelle.ini", true},
                      {"../elsewhere/hop", ".profile", ".profile", false},
                      {"../elsewhere/missing", nullptr, nullptr, false}};
  for (const Row& row : rows) {
    const std::string cal = dir_.File("cal"), elsewhere = dir_.File("elsewhere");
    fs::remove_all(cal), fs::remove_all(elsewhere);
    fs::create_directory(cal), fs::create_directory(elsewhere);
    const std::string settings = cal + "/vornelle.ini", before = "[Main]\nTop=1\n";
    fs::create_symlink(row.link, settings);
    if (row.hop) fs::create_symlink(row.hop, elsewhere + "/hop");
    const std::string target = row.target ? elsewhere + "/" + row.target : "";
    if (row.target) WriteFileBytes(target, before);

    errno = 0;
    EXPECT_EQ(WriteProfileString(settings, "Main", "Top", "2"), row.written) << row.link;
    EXPECT_TRUE(fs::is_symlink(settings)) << row.link;
    if (row.written) {
      EXPECT_EQ(ReadFileBytes(target), "[Main]\nTop=2\n") << row.link;
    } else {
      EXPECT_EQ(errno, EPERM) << row.link;
      if (row.target) {
        EXPECT_EQ(ReadFileBytes(target), before) << row.link;
      }
      EXPECT_EQ(Get(settings, "Top"), row.target ? "1" : "<none>") << row.link;  // reads go through
    }
    EXPECT_EQ(FilesIn(cal), 1u) << row.link;
  }
}

// Devices and FIFOs read as no file and are never written; a huge file reads as its first
// mebibyte and is never cut by a write.
TEST_F(ProfileFile, OnlyRegularFilesAreReadAndOnlyTheirFirstMebibyte) {
  alarm(20);  // a read that waits for a FIFO's writer, or reads a device for ever, ends the run
  fs::create_symlink("/dev/zero", path_);
  EXPECT_EQ(Get(path_, "Top"), "<none>");
  EXPECT_FALSE(WriteProfileString(path_, "Main", "Top", "1"));
  fs::remove(path_);
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
  EXPECT_EQ(Get(path_, "Top"), "<none>");
  EXPECT_FALSE(WriteProfileString(path_, "Main", "Top", "1"));
  fs::remove(path_);
  alarm(0);

  const std::string filler = "; " + std::string(1000, 'x') + "\n";
  std::string huge = "[Main]\nTop=1\n";
  while (huge.size() + 2 * filler.size() <= kMaxProfileBytes) huge += filler;
  huge += "; " + std::string(kMaxProfileBytes - 50 - huge.size() - 3, 'y') + "\n";
  huge += "Cut=" + std::string(100, '2') + "\nLate=3\n";  // "Cut" straddles the bound
  WriteFileBytes(path_, huge);
  EXPECT_EQ(Get(path_, "Top"), "1");
  EXPECT_EQ(Get(path_, "Cut"), "<none>");
  EXPECT_EQ(Get(path_, "Late"), "<none>");
  errno = 0;
  EXPECT_FALSE(WriteProfileString(path_, "Main", "Top", "2"));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_TRUE(ReadFileBytes(path_) == huge);
}

TEST_F(ProfileFile, AFolderThatRefusesNewFilesIsWrittenInPlace) {
  WriteFileBytes(path_, "[Main]\nTop=0x7FFF\nLeft=2\n");
  chmod(path_.c_str(), 0666);
  chmod(dir_.path().c_str(), 0555);
  const pid_t child = Spawn([this] { return WriteProfileString(path_, "Main", "Top", "1"); }, true);
  EXPECT_EQ(ExitStatus(child), 0);
  chmod(dir_.path().c_str(), 0700);
  EXPECT_EQ(ReadFileBytes(path_), "[Main]\nTop=1\nLeft=2\n");
  EXPECT_EQ(FilesIn(dir_.path()), 1u);
}

}  // namespace
}  // namespace vornelle::platform
