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
  EXPECT_EQ(SampleThemesFolder(build.path() + "/tools"), fs::path(build.path() + "/samples"));
  // The user folder mode offers the program's own samples after the system's, once.
  const std::vector<std::string> system = {"/usr/local/share/vornelle/themes", "/usr/share/vornelle/themes"};
  std::vector<std::string> with_samples = system;
  with_samples.push_back(build.path() + "/samples");
  EXPECT_EQ(UserFolderThemeFolders(system, build.path() + "/app/gui"), with_samples);
  EXPECT_EQ(UserFolderThemeFolders(with_samples, build.path() + "/app/gui"), with_samples);
  EXPECT_EQ(UserFolderThemeFolders(system, "/usr/bin"), system);
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

TEST_F(PrepareFolder, NewFolderIsGivenTheFirstSampleSettingsAndNoTable) {
  fs::create_directory(dir_.File("bare"));
  const PreparedFolder prepared = PrepareUserFolder(data_, {dir_.File("bare"), samples_});
  EXPECT_TRUE(prepared.created);
  EXPECT_EQ(prepared.copied, (std::vector<std::string>{"Vornel.Ini"}));
  EXPECT_EQ(ReadFileBytes(data_ + "/Vornel.Ini"), "[Settings]\n");
  EXPECT_EQ(fs::status(data_ + "/Vornel.Ini").permissions() & fs::perms::owner_write, fs::perms::owner_write)
      << "the settings must be the user's to change";
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(data_)) ++files;
  EXPECT_EQ(files, 1u) << "the themes stay where the system has them, and no temporary file is left";
}

// A folder with a table or settings of its own is the user's as it is; the mark a copying start
// of earlier versions left goes.
TEST_F(PrepareFolder, FolderWithATableOrSettingsOfItsOwnIsLeftAlone) {
  const std::vector<std::pair<std::string, std::string>> own = {{"MINE.DBF", "my table"},
                                                                {"Vornel.Ini", "[Settings]\nmine\n"}};
  for (const auto& [name, content] : own) {
    SCOPED_TRACE(name);
    fs::remove_all(data_);
    fs::create_directories(data_);
    WriteFileBytes(data_ + "/" + name, content);
    WriteFileBytes(data_ + "/.vornelle-first-start", "");
    const PreparedFolder prepared = PrepareUserFolder(data_, {samples_});
    EXPECT_FALSE(prepared.created);
    EXPECT_TRUE(prepared.copied.empty());
    EXPECT_EQ(ReadFileBytes(data_ + "/" + name), content);
    EXPECT_EQ(fs::exists(data_ + "/Vornel.Ini"), name == "Vornel.Ini");
    EXPECT_FALSE(fs::exists(data_ + "/.vornelle-first-start"));
  }
}

// A first start killed in the middle of the copy (the file size limit ends the process with
// SIGXFSZ once the copy grows past it): the next start gives the folder the settings whole.
TEST_F(PrepareFolder, AKilledFirstStartIsFinishedByTheNext) {
  chmod((samples_ + "/Vornel.Ini").c_str(), 0644);
  WriteFileBytes(samples_ + "/Vornel.Ini", std::string(50, 'x'));
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{45, 45};
    setrlimit(RLIMIT_FSIZE, &limit);
    PrepareUserFolder(data_, {samples_});
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
  EXPECT_FALSE(fs::exists(data_ + "/Vornel.Ini"));
  PrepareUserFolder(data_, {samples_});
  RemoveStaleLeftovers(data_, std::chrono::seconds(0));
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(data_)) files.push_back(entry.path().filename());
  EXPECT_EQ(files, (std::vector<std::string>{"Vornel.Ini"}));
  EXPECT_EQ(ReadFileBytes(data_ + "/Vornel.Ini"), std::string(50, 'x'));
}

// A link put where a copy used to be written first is never written through.
TEST_F(PrepareFolder, LinksWhereCopiesAreMadeAreNotFollowed) {
  fs::create_directories(data_);
  WriteFileBytes(data_ + "/victim", "mine");
  for (const char* name : {".Vornel.Ini.partial", ".Vornel.Ini.tmp"})
    fs::create_symlink(data_ + "/victim", data_ + "/" + name);
  PrepareUserFolder(data_, {samples_});
  EXPECT_EQ(ReadFileBytes(data_ + "/victim"), "mine");
  EXPECT_EQ(ReadFileBytes(data_ + "/Vornel.Ini"), ReadFileBytes(samples_ + "/Vornel.Ini"));
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
  const PreparedFolder prepared = PrepareUserFolder(data_, {dir_.File("nowhere")});
  EXPECT_TRUE(prepared.created);
  EXPECT_TRUE(prepared.copied.empty());
  EXPECT_TRUE(fs::is_directory(data_));
}

TEST_F(PrepareFolder, FolderThatCannotBeMadeIsAnErrorNamingIt) {
  WriteFileBytes(dir_.File("data"), "a file where the folder should be");
  try {
    PrepareUserFolder(data_, {samples_});
    FAIL() << "no error";
  } catch (const platform::EInOutError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create the folder " + data_), std::string::npos)
        << error.what();
  }
  const std::string file = dir_.File("data");
  EXPECT_THROW(PrepareUserFolder(file, {samples_}), platform::EInOutError);
}

}  // namespace
}  // namespace vornelle::app
