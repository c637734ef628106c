#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "platform/file_replace.h"
#include "platform/folder_lock.h"
#include "platform/ascii_case.h"

namespace vornelle::platform {

namespace {

namespace fs = std::filesystem;

// Backs off to the start of a character so that no UTF-8 sequence is split.
std::string CutUtf8(std::string s, std::size_t max_length) {
  if (s.size() <= max_length) return s;
  std::size_t n = max_length;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  s.resize(n);
  return s;
}

// The file's first kMaxProfileBytes; `complete` tells whether that was all of it. A missing
// file reads as empty. False, with errno, when the file is no regular file or cannot be read.
// Opening does not wait (a FIFO would), and the type is checked on what was opened.
bool ReadBounded(const std::string& path, std::string* bytes, bool* complete) {
  bytes->clear();
  *complete = true;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat st = {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const bool folder = S_ISDIR(st.st_mode);
    close(fd);
    errno = folder ? EISDIR : EINVAL;
    return false;
  }
  char buffer[65536];
  ssize_t n = 0;
  // One byte past the bound tells a longer file.
  while (bytes->size() <= kMaxProfileBytes) {
    n = read(fd, buffer, std::min(sizeof buffer, kMaxProfileBytes + 1 - bytes->size()));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  const int err = errno;
  close(fd);
  errno = err;
  *complete = bytes->size() <= kMaxProfileBytes;
  bytes->resize(std::min(bytes->size(), kMaxProfileBytes));
  return n >= 0;
}

// The file a write of `path` goes to: the path itself, or the end of its chain of links when
// that has the path's own file name. A link elsewhere could make a settings write overwrite
// any file of the user's (EPERM).
bool WriteTarget(const std::string& path, std::string* target) {
  fs::path at = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(at, ec))) {
      if (hops > 0 && !EqualIgnoringAsciiCase(at.filename().string(), fs::path(path).filename().string())) {
        errno = EPERM;
        return false;
      }
      *target = at.string();
      return true;
    }
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) {
      errno = ec.value();
      return false;
    }
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  errno = ELOOP;
  return false;
}

// The permission bits of an existing target, which the new file keeps; nothing for a new file.
bool CheckTarget(const std::string& target, std::optional<mode_t>* mode) {
  struct stat st;
  if (stat(target.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  // No write bit at all means the user marked it read-only; that holds even for root.
  if ((st.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) {
    errno = EACCES;
    return false;
  }
  *mode = st.st_mode & 07777;
  return true;
}

IniDocument ReadDocument(const std::string& path) {
  std::string bytes;
  bool complete = true;
  if (!ReadBounded(path, &bytes, &complete)) return IniDocument();
  return IniDocument(std::move(bytes), complete);
}

}  // namespace

ProfileReader::ProfileReader(const std::string& path) : document_(ReadDocument(path)) {}

std::string ProfileReader::Get(std::string_view section, std::string_view key,
                               std::string_view default_value, std::size_t max_length) const {
  const std::optional<std::string> value = document_.Find(section, key);
  return CutUtf8(value ? *value : std::string(default_value), max_length);
}

std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view default_value,
                             std::size_t max_length) {
  return ProfileReader(path).Get(section, key, default_value, max_length);
}

bool WriteProfileStrings(const std::string& path, const std::vector<ProfileValue>& values,
                         std::size_t* refused) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (IniDocument::Refusal(values[i].section, values[i].key, values[i].value).empty()) continue;
    if (refused != nullptr) *refused = i;
    errno = EINVAL;
    return false;
  }
  std::string target;
  std::optional<mode_t> mode;
  if (!WriteTarget(path, &target) || !CheckTarget(target, &mode)) return false;

  // Read, change and replace under the lock, or two writers would each drop the other's keys.
  FolderLock lock;
  if (!lock.Lock(fs::path(target).parent_path().string())) return false;
  std::string bytes;
  bool complete = true;
  if (!ReadBounded(target, &bytes, &complete)) return false;
  if (!complete) {
    errno = EFBIG;  // rewriting only what was read would cut the file
    return false;
  }
  IniDocument document(bytes);
  for (const ProfileValue& v : values) document.Set(v.section, v.key, v.value);
  const std::string changed = document.Bytes();
  if (changed.size() > kMaxProfileBytes) {
    errno = EFBIG;
    return false;
  }
  if (changed == bytes) return true;  // nothing to change: the file stays untouched
  return ReplaceFileContent(target, changed, mode);
}

bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
  return WriteProfileStrings(path, {{std::string(section), std::string(key), std::string(value)}});
}

}  // namespace vornelle::platform
