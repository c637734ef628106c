// The user's own folder: where it is, and what its first start gives it.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/core/leftovers.h"
#include "app/core/user_folder.h"
#include "platform/exception.h"
#include "tests/support/test_support.h"

namespace vornelle::app {
namespace {
namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// Sets an environment variable for one test, and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeFolder) {
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv data("XDG_DATA_HOME", "/scratch/data");
    EXPECT_EQ(UserDataFolder(), fs::path("/scratch/data/vornelle"));
  }
  for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
    ScopedEnv data("XDG_DATA_HOME", ignored);
    EXPECT_EQ(UserDataFolder(), fs::path("/home/someone/.local/share/vornelle"));
  }
}

TEST(InstalledFolders, AreUnderTheShareFolderBesideBinOrInTheBuildTree) {
  EXPECT_EQ(SampleThemesFolder("/usr/bin"), fs::path("/usr/share/vornelle/themes"));
  EXPECT_EQ(InstalledHelpFolder("/opt/x/bin"), fs::path("/opt/x/share/doc/vornelle"));
  // A program run where the build put it finds the samples that build made.
  testing::TempDir build;
  fs::create_directories(build.path() + "/app/gui");
  fs::create_directories(build.path() + "/samples");
  WriteFileBytes(build.path() + "/samples/Vornel.Ini", "[THEMES]\n");
  EXPECT_EQ(SampleThemesFolder(build.path() + "/app/gui"), fs::path(build.path() + "/samples"));
  EXPECT_EQ(InstalledHelpFolder(build.path() + "/app/gui"), fs::path(build.path() + "/samples"));
}

class PrepareFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(samples_);
    WriteFileBytes(samples_ + "/almanac.dbf", "table a");
    WriteFileBytes(samples_ + "/almanac.dbt", "memo a");
    WriteFileBytes(samples_ + "/garden.dbf", "table g");
    WriteFileBytes(samples_ + "/garden.fpt", "memo g");
    WriteFileBytes(samples_ + "/Vornel.Ini", "[Settings]\n");
    WriteFileBytes(samples_ + "/README.md", "not a sample");
    // Installed samples belong to root and are read-only for the user.
    for (const auto& entry : fs::directory_iterator(samples_)) chmod(entry.path().c_str(), 0444);
  }
  testing::TempDir dir_;
  const std::string samples_ = dir_.File("samples");
  const std::string data_ = dir_.File("data/deep/vornelle");
};

TEST_F(PrepareFolder, NewFolderIsCreatedAndGivenTheSamplesMemosFirst) {
  const PreparedFolder prepared = PrepareUserFolder(data_, samples_);
  EXPECT_TRUE(prepared.created);
  EXPECT_EQ(prepared.copied, (std::vector<std::string>{"almanac.dbt", "garden.fpt", "almanac.dbf",
                                                       "garden.dbf", "Vornel.Ini"}));
  for (const std::string& name : prepared.copied) {
    EXPECT_EQ(ReadFileBytes(data_ + "/" + name), ReadFileBytes(samples_ + "/" + name)) << name;
    EXPECT_EQ(fs::status(data_ + "/" + name).permissions() & fs::perms::owner_write, fs::perms::owner_write)
        << name << " must be the user's to change";
  }
  EXPECT_FALSE(fs::exists(data_ + "/README.md"));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(data_)) ++files;
  EXPECT_EQ(files, 5u) << "no temporary file is left behind";

  // The second start finds its tables and changes nothing.
  WriteFileBytes(data_ + "/Vornel.Ini", "[Settings]\nColor1=1\n");
  fs::remove(data_ + "/garden.dbf");
  const PreparedFolder again = PrepareUserFolder(data_, samples_);
  EXPECT_FALSE(again.created);
  EXPECT_TRUE(again.copied.empty());
  EXPECT_FALSE(fs::exists(data_ + "/garden.dbf"));
  EXPECT_EQ(ReadFileBytes(data_ + "/Vornel.Ini"), "[Settings]\nColor1=1\n");
}

TEST_F(PrepareFolder, FolderWithItsOwnThemeIsLeftAlone) {
  fs::create_directories(data_);
  WriteFileBytes(data_ + "/MINE.DBF", "my table");
  const PreparedFolder prepared = PrepareUserFolder(data_, samples_);
  EXPECT_FALSE(prepared.created);
  EXPECT_TRUE(prepared.copied.empty());
  EXPECT_FALSE(fs::exists(data_ + "/Vornel.Ini"));
}

TEST_F(PrepareFolder, TablelessFolderKeepsItsSettingsAndOtherFiles) {
  fs::create_directories(data_);
  WriteFileBytes(data_ + "/Vornel.Ini", "[Settings]\nmine\n");
  WriteFileBytes(data_ + "/almanac.dbt", "my own memo");
  const PreparedFolder prepared = PrepareUserFolder(data_, samples_);
  EXPECT_EQ(prepared.copied, (std::vector<std::string>{"garden.fpt", "almanac.dbf", "garden.dbf"}));
  EXPECT_EQ(ReadFileBytes(data_ + "/Vornel.Ini"), "[Settings]\nmine\n");
  EXPECT_EQ(ReadFileBytes(data_ + "/almanac.dbt"), "my own memo");
}

// A first start killed in the middle of each copy in turn (the file size limit ends the
// process with SIGXFSZ once a copy grows past it): the next start gives the folder every
// sample whole and leaves nothing of the killed one behind.
TEST_F(PrepareFolder, AKilledFirstStartIsFinishedByTheNext) {
  const std::vector<std::pair<std::string, std::size_t>> samples = {
      {"almanac.dbt", 10}, {"garden.fpt", 20}, {"almanac.dbf", 30}, {"garden.dbf", 40}, {"Vornel.Ini", 50}};
  for (const auto& [name, size] : samples) {
    chmod((samples_ + "/" + name).c_str(), 0644);
    WriteFileBytes(samples_ + "/" + name, std::string(size, 'x'));
  }
  for (const auto& [killed_in, size] : samples) {
    SCOPED_TRACE(killed_in);
    fs::remove_all(data_);
    const pid_t child = fork();
    if (child == 0) {
      const rlimit limit{size - 5, size - 5};
      setrlimit(RLIMIT_FSIZE, &limit);
      PrepareUserFolder(data_, samples_);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_FALSE(fs::exists(data_ + "/" + killed_in));

    PrepareUserFolder(data_, samples_);
    // What the killed copy left under a name of its own goes as any leftover does.
    RemoveStaleLeftovers(data_, std::chrono::seconds(0));
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(data_)) files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Vornel.Ini", "almanac.dbf", "almanac.dbt", "garden.dbf",
                                               "garden.fpt"}));
    for (const auto& [name, ignored] : samples)
      EXPECT_EQ(ReadFileBytes(data_ + "/" + name), ReadFileBytes(samples_ + "/" + name)) << name;
  }
}

// A link put where a copy used to be written first is never written through.
TEST_F(PrepareFolder, LinksWhereCopiesAreMadeAreNotFollowed) {
  fs::create_directories(data_);
  WriteFileBytes(data_ + "/victim", "mine");
  for (const char* name : {".almanac.dbt.partial", ".almanac.dbf.partial", ".Vornel.Ini.partial"})
    fs::create_symlink(data_ + "/victim", data_ + "/" + name);
  PrepareUserFolder(data_, samples_);
  EXPECT_EQ(ReadFileBytes(data_ + "/victim"), "mine");
  EXPECT_EQ(ReadFileBytes(data_ + "/almanac.dbt"), ReadFileBytes(samples_ + "/almanac.dbt"));
}

TEST_F(PrepareFolder, LeftoversOfKilledProgramsGoOnceAMinuteOld) {
  fs::create_directories(data_);
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  // Only names of our own making go: another program's ".partial" or temporary file stays.
  for (const char* name : {".garden.dbf.Ab12Cd.partial", "Vornel.Ini.tmp-Ab12Cd", "VORNEL.INI.tmp-x12345",
                           "VORNEL.INI.tmp-x", "keep.partial",
                           ".garden.dbf.partial", ".theirs.partial", "Vornel.Ini.tmp-Ab!2Cd",
                           ".young.dbt.x1Y2z3.partial", "Vornel.Ini.tmp-young1", "notes.txt"}) {
    WriteFileBytes(data_ + "/" + name, "x");
    if (std::string_view(name).find("young") == std::string_view::npos)
      fs::last_write_time(data_ + "/" + name, old);
  }
  RemoveStaleLeftovers(data_);
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(data_)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{".garden.dbf.partial", ".theirs.partial", ".young.dbt.x1Y2z3.partial",
                                             "VORNEL.INI.tmp-x", "Vornel.Ini.tmp-Ab!2Cd", "Vornel.Ini.tmp-young1",
                                             "keep.partial", "notes.txt"}));
}

TEST_F(PrepareFolder, MissingSamplesGiveAnEmptyFolder) {
  const PreparedFolder prepared = PrepareUserFolder(data_, dir_.File("nowhere"));
  EXPECT_TRUE(prepared.created);
  EXPECT_TRUE(prepared.copied.empty());
  EXPECT_TRUE(fs::is_directory(data_));
}

TEST_F(PrepareFolder, FolderThatCannotBeMadeIsAnErrorNamingIt) {
  WriteFileBytes(dir_.File("data"), "a file where the folder should be");
  try {
    PrepareUserFolder(data_, samples_);
    FAIL() << "no error";
  } catch (const platform::EInOutError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create the folder " + data_), std::string::npos)
        << error.what();
  }
  const std::string file = dir_.File("data");
  EXPECT_THROW(PrepareUserFolder(file, samples_), platform::EInOutError);
}

}  // namespace
}  // namespace vornelle::app
