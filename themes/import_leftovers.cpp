#include "themes/import_leftovers.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "engine/table_replace.h"
#include "themes/theme_error.h"

namespace vornelle::themes {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".vornelle-import-";

// The process id in an earlier version's file name: ".vornelle-import-PID.dbf", ".dbt" or
// ".fpt". 0 for any other name.
pid_t EarlierImportOf(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return 0;
  name.remove_prefix(kPrefix.size());
  const std::size_t digits = std::min(name.find_first_not_of("0123456789"), name.size());
  const std::string_view rest = name.substr(digits);
  if (digits == 0 || digits > 9 || !(rest == ".dbf" || rest == ".dbt" || rest == ".fpt")) return 0;
  return static_cast<pid_t>(std::stol(std::string(name.substr(0, digits))));
}

bool Gone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// The lock of an import's folder is on a file within it ("lock"), not on the folder itself,
// which the engine's opens of the table there take shared.
constexpr const char* kLockName = "lock";

// Opens the lock file of the import folder `path` (never through a link; made when `make`)
// and takes its lock without waiting: the fd, or -1 when another import holds it or the
// file is not there.
int LockImportFolder(const fs::path& path, bool make) {
  const int fd = open((path / kLockName).c_str(),
                      O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (make ? O_CREAT | O_EXCL : 0), 0600);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Whether `path` is a folder (not a link to one) that no import holds: one without a lock file
// was left by an earlier version, or by an import stopped before it made its lock file.
bool Abandoned(const fs::path& path, int* fd) {
  struct stat st {};
  *fd = -1;
  if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  *fd = LockImportFolder(path, false);
  return *fd >= 0 || errno == ENOENT;
}

// Whether `path` still names the folder holding the lock file open as `fd`: a cleaner may have
// taken a new folder for a leftover between its making and its locking.
bool StillThere(const fs::path& path, int fd) {
  struct stat open_file {}, named {};
  return fstat(fd, &open_file) == 0 && lstat((path / kLockName).c_str(), &named) == 0 &&
         open_file.st_dev == named.st_dev && open_file.st_ino == named.st_ino;
}

}  // namespace

ImportFolder::ImportFolder(const fs::path& folder) {
  for (int attempt = 0; attempt < 5 && fd_ < 0; ++attempt) {
    std::string name = (folder / (std::string(kPrefix) + "XXXXXX")).string();
    if (!mkdtemp(name.data()))
      throw ThemeError(folder.string() + ": cannot make a folder for the import: " + std::strerror(errno));
    path_ = name;
    fd_ = LockImportFolder(path_, true);
    if (fd_ >= 0 && !StillThere(path_, fd_)) {
      close(fd_);
      fd_ = -1;
    }
  }
  if (fd_ < 0) throw ThemeError(folder.string() + ": the import's folder was taken away as it was made");
}

ImportFolder::~ImportFolder() {
  std::error_code ignored;
  if (!keep_) fs::remove_all(path_, ignored);
  close(fd_);  // drops the lock: what is kept is a leftover for the next import to finish
}

void ClearImportLeftovers(const fs::path& folder) {
  // A marker names files of an import that committed: they are finished, never removed.
  if (!engine::CompleteReplacementsIn(folder.string()))
    throw ThemeError("a replacement other programs left in " + folder.string() + " cannot be finished: " +
                    engine::FetchMessage());
  std::vector<fs::path> leftovers;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) continue;
    if (const pid_t pid = EarlierImportOf(name); pid > 0) {
      if (Gone(pid)) leftovers.push_back(it->path());
      continue;
    }
    // A folder no import holds: its lock is ours while it goes.
    if (int fd = -1; Abandoned(it->path(), &fd)) {
      std::error_code ignored;
      fs::remove_all(it->path(), ignored);  // what cannot go stays
      if (fd >= 0) close(fd);
    }
  }
  for (const fs::path& path : leftovers) fs::remove(path, error);
}

}  // namespace vornelle::themes
