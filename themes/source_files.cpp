#include "themes/source_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/bounded_file.h"

namespace vornelle::themes {

namespace {

namespace fs = std::filesystem;

// The real path of `path`, or nothing with errno.
std::optional<std::string> RealPath(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return std::nullopt;
  std::string result(real);
  std::free(real);
  return result;
}

// `path` is `folder` or lies in it (both real paths).
bool Within(std::string_view path, std::string_view folder) {
  if (folder == "/") return true;
  return path.substr(0, folder.size()) == folder && (path.size() == folder.size() || path[folder.size()] == '/');
}

// Pushes the parts of `path` so that the first is taken first.
void PushParts(std::string_view path, std::vector<std::string>& pending) {
  std::vector<std::string> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    if (slash != 0) parts.emplace_back(path.substr(0, slash));
    path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
  }
  pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

enum class Walk { kFound, kMissing, kOutside, kFailed };

// Follows `below` from the real folder `start` a part and a link at a time. Every step must stay
// in one of `roots` or on the way to one (a folder above it): nothing else is ever looked at,
// so whether a link leads to something that exists elsewhere stays unknown.
Walk Resolve(const std::string& start, const fs::path& below, const std::vector<std::string>& roots,
             std::string* real) {
  std::string current = start;
  std::vector<std::string> pending;
  PushParts(below.string(), pending);
  int links = 0;
  while (!pending.empty()) {
    const std::string part = std::move(pending.back());
    pending.pop_back();
    if (part == ".") continue;
    if (part == "..") {
      current = fs::path(current).parent_path().string();
      continue;
    }
    const std::string next = current == "/" ? "/" + part : current + "/" + part;
    bool allowed = false;
    for (const std::string& root : roots) allowed = allowed || Within(next, root) || Within(root, next);
    if (!allowed) return Walk::kOutside;
    struct stat st {};
    if (lstat(next.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? Walk::kMissing : Walk::kFailed;
    if (!S_ISLNK(st.st_mode)) {
      current = next;
      continue;
    }
    if (++links > 40) {
      errno = ELOOP;
      return Walk::kFailed;
    }
    char target[PATH_MAX];
    const ssize_t length = readlink(next.c_str(), target, sizeof target);
    if (length < 0 || length == static_cast<ssize_t>(sizeof target)) return Walk::kFailed;
    if (target[0] == '/') current = "/";
    PushParts(std::string_view(target, static_cast<std::size_t>(length)), pending);
  }
  for (const std::string& root : roots)
    if (Within(current, root)) {
      *real = current;
      return Walk::kFound;
    }
  return Walk::kOutside;
}

}  // namespace

CalendarFiles::Found SourceFiles::Locate(const std::string& path, const std::string& folder) {
  Found found;
  if (folder.empty()) {  // the file the user chose: wherever it is
    const std::optional<std::string> real = RealPath(path);
    found.outcome = real ? Found::kFound : errno == ENOENT ? Found::kMissing : Found::kUnreadable;
    found.file = real.value_or("");
    if (!real) found.problem = std::strerror(errno);
    return found;
  }
  const fs::path below = fs::path(path).lexically_relative(folder);
  if (below.empty() || *below.begin() == "..") {
    found.outcome = Found::kRefused;
    found.problem = "it leads out of " + folder;
    return found;
  }
  std::vector<std::string> roots;
  const std::optional<std::string> start = RealPath(folder);
  if (!start) return found;  // no folder, no file in it
  roots.push_back(*start);
  for (const char* shared : kSharedCalendarFolders)
    if (const std::optional<std::string> real = RealPath(shared)) roots.push_back(*real);
  switch (Resolve(*start, below, roots, &found.file)) {
    case Walk::kFound: found.outcome = Found::kFound; break;
    case Walk::kMissing: found.outcome = Found::kMissing; break;
    case Walk::kOutside:
      found.outcome = Found::kRefused;
      found.problem = "a link leads out of " + folder;
      break;
    case Walk::kFailed:
      found.outcome = Found::kUnreadable;
      found.problem = std::strerror(errno);
      break;
  }
  return found;
}

std::optional<std::string> SourceFiles::Read(const std::string& file, std::string& problem) {
  const std::size_t left = kMaxSourceBytes - read_;
  platform::BoundedRead read = platform::ReadBoundedFile(file, left);
  if (read.outcome != platform::BoundedRead::kRead) {
    problem = read.outcome == platform::BoundedRead::kTooLarge && read_ > 0
                  ? "with the files read before it, larger than " + platform::SizeText(kMaxSourceBytes)
                  : platform::BoundedReadProblem(read, kMaxSourceBytes);
    return std::nullopt;
  }
  read_ += read.bytes.size();
  return std::move(read.bytes);
}

}  // namespace vornelle::themes
