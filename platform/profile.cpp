#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <random>
#include <vector>

#include "platform/codepage.h"

namespace vornelle::platform {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// One line of the file as stored: its bytes and its own terminator ("\r\n", "\n" or none).
struct Line {
  std::string_view text;
  std::string_view eol;
};

std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    if (lf == std::string_view::npos) {
      lines.push_back({bytes, {}});
      break;
    }
    const std::size_t end = lf > 0 && bytes[lf - 1] == '\r' ? lf - 1 : lf;
    lines.push_back({bytes.substr(0, end), bytes.substr(end, lf + 1 - end)});
    bytes.remove_prefix(lf + 1);
  }
  return lines;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : (c & 0xF0) == 0xE0 ? 3
                                                         : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    i += len;
  }
  return true;
}

// Lines the old platform wrote are in code page 1252; ours are UTF-8.
std::string ToUtf8(std::string_view raw) {
  return IsUtf8(raw) ? std::string(raw) : AnsiToUtf8(raw);
}

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsQuoted(std::string_view v) {
  return v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
}

// Backs off to the start of a character so that no UTF-8 sequence is split.
std::string CutUtf8(std::string s, std::size_t max_length) {
  if (s.size() <= max_length) return s;
  std::size_t n = max_length;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  s.resize(n);
  return s;
}

enum class Kind { kOther, kSection, kKey };

struct Parsed {
  Kind kind = Kind::kOther;
  std::string name;   // section or key name, trimmed, UTF-8
  std::string value;  // raw value text, trimmed, UTF-8
};

Parsed ParseLine(std::string_view raw) {
  const std::string text = ToUtf8(raw);
  const std::string_view line = Trim(text);
  Parsed p;
  if (line.empty() || line.front() == ';' || line.front() == '#') return p;
  if (line.front() == '[') {
    const std::string_view inner = line.substr(1);
    p.kind = Kind::kSection;
    p.name = Trim(inner.substr(0, inner.find(']')));
    return p;
  }
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return p;
  p.kind = Kind::kKey;
  p.name = Trim(line.substr(0, eq));
  p.value = Trim(line.substr(eq + 1));
  return p;
}

// Where a key stands, or would go, in the first section of that name.
struct Place {
  std::optional<std::size_t> section;  // the header line
  std::optional<std::size_t> key;      // the key's line
  std::size_t insert_at = 0;           // after the section's last key line, or its header
  Parsed key_line;
};

Place Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Parsed p = ParseLine(lines[i].text);
    if (p.kind == Kind::kSection) {
      if (place.section) break;  // the first section of the name ends here
      if (EqualNoCase(p.name, section)) {
        place.section = i;
        place.insert_at = i + 1;
      }
    } else if (p.kind == Kind::kKey && place.section) {
      place.insert_at = i + 1;
      if (!place.key && EqualNoCase(p.name, key)) {
        place.key = i;
        place.key_line = std::move(p);
      }
    }
  }
  return place;
}

// The whole file; a missing file reads as empty. False, with errno, when it cannot be read.
bool ReadWhole(const std::string& path, std::string* bytes) {
  bytes->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  char buffer[8192];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  const int err = errno;
  close(fd);
  errno = err;
  return n == 0;
}

bool ValidNames(std::string_view section, std::string_view key, std::string_view value) {
  const bool ok = !section.empty() && !key.empty() &&
                  section.find_first_of("]\r\n") == std::string_view::npos &&
                  key.find_first_of("=\r\n") == std::string_view::npos &&
                  key.front() != ';' && key.front() != '#' && key.front() != '[' &&
                  value.find_first_of("\r\n") == std::string_view::npos &&
                  IsUtf8(section) && IsUtf8(key) && IsUtf8(value);
  if (!ok) errno = EINVAL;
  return ok;
}

// Quotes only what reading would otherwise strip, so every value reads back as written.
std::string KeyLine(std::string_view key, std::string_view value) {
  const bool quote = !value.empty() && (Trim(value).size() != value.size() || IsQuoted(value));
  return std::string(key) + "=" + (quote ? "\"" + std::string(value) + "\"" : std::string(value));
}

// The file with the key set; untouched lines are copied byte for byte.
std::string Rewrite(std::string_view bytes, std::string_view section, std::string_view key,
                    std::string_view value) {
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  if (bom) bytes.remove_prefix(kBom.size());
  std::vector<Line> lines = SplitLines(bytes);
  const std::string_view eol = !lines.empty() && lines[0].eol == "\r\n" ? "\r\n" : "\n";
  const Place place = Locate(lines, section, key);
  // A last line without terminator needs one when a line is added after it.
  if (!place.key && !lines.empty() && lines.back().eol.empty() &&
      (!place.section || place.insert_at == lines.size())) {
    lines.back().eol = eol;
  }

  std::string out(bom ? kBom : std::string_view());
  auto copy = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) out.append(lines[i].text).append(lines[i].eol);
  };
  if (place.key) {
    copy(0, *place.key);
    out.append(KeyLine(place.key_line.name, value)).append(lines[*place.key].eol);
    copy(*place.key + 1, lines.size());
  } else if (place.section) {
    copy(0, place.insert_at);
    out.append(KeyLine(key, value)).append(eol);
    copy(place.insert_at, lines.size());
  } else {
    copy(0, lines.size());
    if (!lines.empty() && !Trim(lines.back().text).empty()) out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(KeyLine(key, value)).append(eol);
  }
  return out;
}

// A fresh file beside `target` that no one else has opened.
int CreateTemporary(const std::string& target, mode_t mode, std::string* name) {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = target + ".tmp-";
    for (int i = 0; i < 6; ++i) *name += kChars[random() % (sizeof kChars - 1)];
    const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The rename itself must reach the disk too, or a crash could bring the old file back.
void SyncFolder(const std::string& target) {
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// New content beside the file, synced, then renamed over it. `mode` is the old file's
// permission bits, or nothing for a new file (created under the umask).
bool ReplaceFile(const std::string& target, std::string_view bytes, std::optional<mode_t> mode) {
  std::string temporary;
  const int fd = CreateTemporary(target, mode ? S_IRUSR | S_IWUSR : 0666, &temporary);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && (!mode || fchmod(fd, *mode) == 0) && fsync(fd) == 0;
  int err = errno;
  if (close(fd) != 0 && ok) ok = false, err = errno;
  if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
    SyncFolder(target);
    return true;
  }
  if (ok) err = errno;
  unlink(temporary.c_str());
  errno = err;
  return false;
}

// A settings file that links to one kept elsewhere stays a link: its target is replaced.
std::string ResolveLink(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  const auto target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view default_value,
                             std::size_t max_length) {
  std::string bytes;
  std::string_view content;
  std::optional<std::size_t> line;
  std::vector<Line> lines;
  if (ReadWhole(path, &bytes)) {
    content = bytes;
    if (content.substr(0, kBom.size()) == kBom) content.remove_prefix(kBom.size());
    lines = SplitLines(content);
    line = Locate(lines, Trim(section), Trim(key)).key;
  }
  if (!line) return CutUtf8(std::string(default_value), max_length);
  const Parsed parsed = ParseLine(lines[*line].text);
  const std::string_view value = parsed.value;
  return CutUtf8(std::string(IsQuoted(value) ? value.substr(1, value.size() - 2) : value), max_length);
}

bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!ValidNames(section, key, value)) return false;
  const std::string target = ResolveLink(path);

  std::optional<mode_t> mode;
  struct stat st;
  if (stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      errno = EISDIR;
      return false;
    }
    // No write bit at all means the user marked it read-only; that holds even for root.
    if ((st.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) {
      errno = EACCES;
      return false;
    }
    mode = st.st_mode & 07777;
  }
  std::string bytes;
  if (!ReadWhole(target, &bytes)) return false;
  return ReplaceFile(target, Rewrite(bytes, section, key, value), mode);
}

}  // namespace vornelle::platform
