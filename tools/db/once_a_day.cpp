#include "tools/db/once_a_day.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "platform/bounded_file.h"
#include "platform/file_replace.h"
#include "platform/folder_lock.h"

namespace vornelle::tools {

namespace {

// As the XDG base directory rules say: a relative $XDG_STATE_HOME is ignored.
std::string StateHome() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return state;
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return home && home[0] == '/' ? std::string(home) + "/.local/state" : std::string();
}

// Missing folders are made 0700; those already there keep their permissions.
int MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

// FNV-1a: a name that stays the same from one build to the next, unlike std::hash.
std::string NameOf(const std::string& folder) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
  char name[24];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  return name;
}

// The state file holds a date and a folder's path: anything larger is no state of ours.
constexpr std::size_t kMaxStateBytes = 8 * 1024;

}  // namespace

OnceADay::OnceADay(const std::string& day, const std::string& today) : day_(day), today_(today) { Check(day); }

void OnceADay::Check(const std::string& day) {
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();
  const std::string home = StateHome();
  if (error) return CannotKeep(".", error.message());
  if (home.empty()) return CannotKeep("~/.local/state", "no home folder");
  const std::string state = home + "/vornelle";
  if (const int err = MakeFolders(state)) return CannotKeep(state, std::strerror(err));

  // The folder's path is written in too: another folder whose name hashes the same is not it.
  record_ = day + "\n" + folder + "\n";
  file_ = state + "/" + NameOf(folder) + ".day";
  Lock();
  // Whatever is there is read without waiting and only so far: a FIFO, a device or a huge
  // file must not hold up the shell that starts.
  const platform::BoundedRead kept = platform::ReadBoundedFile(file_, kMaxStateBytes, /*follow_links=*/false);
  existed_ = kept.outcome != platform::BoundedRead::kMissing;
  if (kept.outcome != platform::BoundedRead::kRead && existed_)
    CannotKeep(file_, platform::BoundedReadProblem(kept, kMaxStateBytes));
  shown_ = kept.outcome == platform::BoundedRead::kRead && kept.bytes == record_;
  const std::string folder_line = "\n" + folder + "\n";
  if (kept.outcome == platform::BoundedRead::kRead && kept.bytes.size() == 10 + folder_line.size() &&
      kept.bytes.compare(10, std::string::npos, folder_line) == 0)
    marked_ = kept.bytes.substr(0, 10);
}

OnceADay::~OnceADay() {
  if (lock_ >= 0) close(lock_);  // closing drops the lock
}

// A lock file beside the state file: that one is replaced by renaming, so is no object to lock.
void OnceADay::Lock() {
  const std::string path = file_ + ".lock";
  lock_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (lock_ < 0) return CannotKeep(path, std::strerror(errno));
  struct stat st {};
  if (fstat(lock_, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(lock_);
    lock_ = -1;
    return CannotKeep(path, "not a regular file");
  }
  // A stopped holder cannot hang the shell: after 10 s the messages show. Without locks on
  // this file system the state still works.
  if (platform::PollFlock(lock_, LOCK_EX, std::chrono::seconds(10)) == platform::PolledLock::kHeld)
    CannotKeep(path, "another vornelle-db day has held it for 10 s");
}

void OnceADay::MarkShown() {
  if (file_.empty() || day_ > today_ || (!marked_.empty() && day_ < marked_)) return;
  // A new file keeps the umask's permissions: the rewrite in place it would otherwise be
  // given cannot make one, and would hide why the folder refused it.
  const std::optional<mode_t> mode = existed_ ? std::optional<mode_t>(0600) : std::nullopt;
  if (!platform::ReplaceFileContent(file_, record_, mode)) CannotKeep(file_, std::strerror(errno));
}

void OnceADay::CannotKeep(const std::string& file, const std::string& reason) {
  if (!said_)
    std::fprintf(stderr, "vornelle-db day: cannot keep %s: %s\n", file.c_str(), reason.c_str());
  said_ = true;
}

}  // namespace vornelle::tools
