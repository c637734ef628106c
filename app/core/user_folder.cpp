#include "app/core/user_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "app/core/leftovers.h"
#include "app/core/product.h"
#include "platform/directory.h"
#include "platform/error_codes.h"
#include "platform/exception.h"
#include "platform/file_replace.h"

namespace vornelle::app {
namespace fs = std::filesystem;

namespace {

// Earlier versions gave a new folder copies of the sample themes, marking it while they copied.
// The system's themes are offered where they are now: a mark a stopped copy left goes.
constexpr const char* kFirstStartMarker = ".vornelle-first-start";

[[noreturn]] void Fail(const std::string& what, const fs::path& path, const std::error_code& error,
                       platform::IoOp op) {
  throw platform::EInOutError(what + " " + path.string() + ": " + error.message(),
                              platform::ErrnoToCode(error.value(), op));
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Writes all of `from` to `fd`; false with errno.
bool CopyInto(const fs::path& from, int fd) {
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || !WriteAll(fd, buffer, static_cast<std::size_t>(got))) {
      ok = got == 0;
      break;
    }
  }
  const int err = errno;
  close(in);
  errno = err;
  return ok;
}

// Copies under a name of its own in the target folder, then renames: the file appears whole
// or not at all. An existing file is never replaced, and nothing is written through a link
// someone put where the copy goes.
void CopyWhole(const fs::path& from, const fs::path& to) {
  std::string partial_name;
  // The user's copies are the user's to change, whatever the installed samples' modes.
  const int fd = platform::CreateUniqueFile((to.parent_path() / ("." + to.filename().string() + ".")).string(),
                                            ".partial", 0666, &partial_name);
  if (fd < 0) Fail("Cannot create", to, std::error_code(errno, std::generic_category()), platform::IoOp::Write);
  const fs::path partial = partial_name;
  std::error_code error;
  const bool copied = CopyInto(from, fd);
  const int copy_errno = errno;
  if (close(fd) != 0 || !copied) {
    fs::remove(partial, error);
    Fail("Cannot copy the sample", from, std::error_code(copied ? EIO : copy_errno, std::generic_category()),
         platform::IoOp::Write);
  }
  // A hard link refuses to replace a file that appeared meanwhile; folders that cannot hold
  // links fall back to a rename.
  if (link(partial.c_str(), to.c_str()) == 0) {
    fs::remove(partial, error);
    return;
  }
  const int link_errno = errno;
  if (link_errno == EEXIST) {  // someone else's file: theirs stays
    fs::remove(partial, error);
    return;
  }
  if (link_errno == EPERM || link_errno == EOPNOTSUPP || link_errno == EMLINK) {
    fs::rename(partial, to, error);
    if (!error) return;
  } else {
    error.assign(link_errno, std::generic_category());
  }
  std::error_code ignored;
  fs::remove(partial, ignored);
  Fail("Cannot create", to, error, platform::IoOp::Write);
}

}  // namespace

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
  throw platform::EInOutError("No home folder is known for the user's themes", platform::kPathNotFound);
}

fs::path XdgFolder(const char* variable, const fs::path& fallback) {
  const char* value = std::getenv(variable);
  const fs::path base = value && *value ? fs::path(value) : fs::path();
  return base.is_absolute() ? base : HomeFolder() / fallback;
}

fs::path UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") / "vornelle"; }

namespace {

// The samples a build tree made (build/<flavour>/samples), for a program run from that tree
// (build/<flavour>/app/gui, build/<flavour>/tools): it starts as the installed program does.
// Empty when the program is not in a build tree.
fs::path BuiltSamples(const fs::path& program_folder) {
  std::error_code error;
  for (const fs::path& flavour : {program_folder.parent_path().parent_path(), program_folder.parent_path()})
    if (fs::is_regular_file(flavour / "samples" / kSettingsFileName, error)) return flavour / "samples";
  return {};
}

}  // namespace

fs::path SampleThemesFolder(const fs::path& program_folder) {
  const fs::path installed = program_folder.parent_path() / "share" / "vornelle" / "themes";
  std::error_code error;
  if (fs::is_directory(installed, error)) return installed;
  const fs::path built = BuiltSamples(program_folder);
  return built.empty() ? installed : built;
}

std::vector<std::string> UserFolderThemeFolders(std::vector<std::string> system, const fs::path& program_folder) {
  const fs::path own = SampleThemesFolder(program_folder).lexically_normal();
  std::error_code error;
  for (const std::string& folder : system)
    if (fs::path(folder).lexically_normal() == own || fs::equivalent(folder, own, error)) return system;
  if (fs::is_directory(own, error)) system.push_back(own.string());
  return system;
}

fs::path InstalledHelpFolder(const fs::path& program_folder) {
  const fs::path installed = program_folder.parent_path() / "share" / "doc" / "vornelle";
  std::error_code error;
  if (fs::is_directory(installed, error)) return installed;
  const fs::path built = BuiltSamples(program_folder);
  return built.empty() ? installed : built;
}

PreparedFolder PrepareUserFolder(const fs::path& folder, const std::vector<std::string>& sample_folders) {
  PreparedFolder prepared;
  std::error_code error;
  const bool existed = fs::exists(folder, error);
  if (!existed) {
    fs::create_directories(folder, error);
    if (error) Fail("Cannot create the folder", folder, error, platform::IoOp::Open);
    prepared.created = true;
  } else if (!fs::is_directory(folder, error)) {
    Fail("Cannot use the folder", folder, std::make_error_code(std::errc::not_a_directory),
         platform::IoOp::Open);
  }
  RemoveStaleLeftovers(folder);
  fs::remove(folder / kFirstStartMarker, error);
  // A folder with a table of its own, or its own settings, is the user's as it is.
  if (fs::exists(folder / kSettingsFileName, error) || !platform::FindFiles(folder.string(), ".dbf").empty())
    return prepared;
  for (const std::string& samples : sample_folders) {
    const fs::path sample = fs::path(samples) / kSettingsFileName;
    if (!fs::is_regular_file(sample, error)) continue;
    CopyWhole(sample, folder / kSettingsFileName);
    prepared.copied.push_back(kSettingsFileName);
    break;
  }
  return prepared;
}

}  // namespace vornelle::app
