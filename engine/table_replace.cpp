// Replacing a table and its memo file as one: the marker, the renames in their order, and the
// finishing of a replacement its writer did not finish.
//
// The marker holds NUL-separated fields, names relative to the table's folder (any byte but
// NUL and "/" can be in a file name):
//   "vornelle table replacement 1", then "rename" FROM TO or "remove" NAME for each step in
//   order, then "end".
// It is written whole under another name and renamed into place, so it is there complete or
// not at all. The memo file is renamed before the table: the old table keeps reading its own
// memo file until the new table takes its place. Memo files the new table does not use go
// only after that, while the old table can no longer need them.

#include "engine/table_replace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <vector>

#include "engine/errors.h"
#include "platform/error_codes.h"
#include "platform/file.h"
#include "platform/folder_lock.h"
#include "platform/ascii_case.h"

namespace vornelle::engine {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarkerSuffix = ".replacing";
constexpr std::string_view kMagic = "vornelle table replacement 1";
constexpr std::size_t kMaxMarkerSize = 64 * 1024;  // a few names; anything longer is no marker

struct Step {
  bool rename = true;  // rename `from` to `to`; otherwise remove `to`
  std::string from, to;
};

// A name of a memo file the table `table_name` would be paired with, by us or another program.
bool IsMemoNameOf(std::string_view name, const fs::path& table_name) {
  const std::string stem = table_name.stem().string();
  return platform::EqualIgnoringAsciiCase(name, stem + ".dbt") || platform::EqualIgnoringAsciiCase(name, stem + ".fpt");
}

// Whether `name`, among the names of the table's folder, is a memo file the old table could
// have been paired with, which the new table leaves behind. A name of the table's own case is
// the table's. One that differs in case is the table's only while no other table has a name
// that differs from it only in case: "JOKES.DBT" beside "JOKES.DBF" is that table's, not the
// one of "jokes.dbf".
bool IsStaleMemoOf(const std::string& name, const fs::path& table, const std::vector<std::string>& names) {
  if (!IsMemoNameOf(name, table)) return false;
  const std::string stem = table.stem().string();
  if (fs::path(name).stem().string() == stem) return true;
  const std::string table_name = table.filename().string();
  for (const std::string& other : names)
    if (other != table_name && platform::EqualIgnoringAsciiCase(other, table_name)) return false;
  return true;
}

// The names in `folder`; 0 or the errno.
int FolderNames(const fs::path& folder, std::vector<std::string>& names) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    names.push_back(it->path().filename().string());
  return error.value();
}

int SyncPath(const std::string& path, bool folder) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
  if (fd < 0) return errno;
  const int rc = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  close(fd);
  return rc;
}

// Reports errno `err` of what failed, with the routine; returns false.
bool Fail(int err, const std::string& what, std::string_view routine) {
  Report(platform::ErrnoToCode(err, platform::IoOp::Write), what + " [" + std::string(routine) + "]");
  return false;
}

std::string Encode(const std::vector<Step>& steps) {
  std::string text(kMagic);
  text += '\0';
  for (const Step& s : steps) {
    text += s.rename ? "rename" : "remove";
    text += '\0';
    if (s.rename) text += s.from + '\0';
    text += s.to + '\0';
  }
  return text + "end" + '\0';
}

// The steps of a marker for `table`, or false when the text is not a whole marker or names a
// file that is no part of the table's replacement (only the table and its memo names may be
// replaced or removed, and only by files in or below its folder).
bool Decode(std::string_view text, const fs::path& table, std::vector<Step>& steps) {
  std::vector<std::string_view> fields;
  while (!text.empty()) {
    const std::size_t end = text.find('\0');
    if (end == std::string_view::npos) return false;
    fields.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (fields.size() < 2 || fields.front() != kMagic || fields.back() != "end") return false;
  const std::string table_name = table.filename().string();
  auto plain = [](std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
  };
  auto below = [](std::string_view name) {
    const fs::path p(name);
    if (name.empty() || p.is_absolute()) return false;
    for (const fs::path& part : p)
      if (part == "..") return false;
    return true;
  };
  for (std::size_t i = 1; i + 1 < fields.size();) {
    Step step;
    step.rename = fields[i] == "rename";
    if (!step.rename && fields[i] != "remove") return false;
    const std::size_t needed = step.rename ? 2 : 1;
    if (i + needed >= fields.size() - 1) return false;  // the last field is "end"
    if (step.rename) step.from = fields[i + 1];
    step.to = fields[i + needed];
    const bool memo = IsMemoNameOf(step.to, table);
    if (!plain(step.to) || (step.rename ? !below(step.from) || (!memo && step.to != table_name) : !memo))
      return false;
    steps.push_back(std::move(step));
    i += needed + 1;
  }
  return true;
}

// Whether a program holds `table` open deny-all: it may write it in the belief that no one
// else does, so it must not be put aside under it. Such an open holds the file's share lock
// exclusively (platform/file.h).
bool HeldDenyAll(const std::string& table) {
  const int fd = open(table.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);
  return held;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// Carries out the steps of a committed replacement, then removes the marker. A rename whose
// file is gone was done before (by a writer or a reader that was stopped halfway); a removal
// never takes a file a rename just put in place (one name on a file system that ignores case).
bool Finish(const platform::FolderLock& lock, const fs::path& folder, const std::string& marker,
            const std::vector<Step>& steps, std::string_view routine) {
  for (const Step& step : steps) {
    const std::string to = (folder / step.to).string();
    if (step.rename) {
      const std::string from = (folder / step.from).string();
      if (rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT) {
        const int err = errno;
        return Fail(err, "Cannot rename " + from + " to " + to, routine);
      }
      continue;
    }
    bool placed = false;
    for (const Step& other : steps) placed |= other.rename && SameFile(to, (folder / other.to).string());
    if (!placed && unlink(to.c_str()) != 0 && errno != ENOENT) {
      const int err = errno;
      return Fail(err, "Cannot remove " + to, routine);
    }
  }
  // The renames are made durable before the marker that stands for them goes.
  if (int err = lock.Sync()) return Fail(err, "Cannot sync " + folder.string(), routine);
  if (unlink(marker.c_str()) != 0 && errno != ENOENT) {
    const int err = errno;
    return Fail(err, "Cannot remove " + marker, routine);
  }
  if (int err = lock.Sync()) return Fail(err, "Cannot sync " + folder.string(), routine);
  return true;
}

// Writes the marker under `scratch`, syncs it and renames it into place: the commit.
int Commit(const std::string& scratch, const std::string& marker, const std::string& text) {
  const int fd = open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  std::size_t done = 0;
  int err = 0;
  while (done < text.size() && err == 0) {
    const ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno != EINTR) err = errno;
    if (put > 0) done += static_cast<std::size_t>(put);
  }
  if (err == 0 && fsync(fd) != 0) err = errno;
  if (close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && rename(scratch.c_str(), marker.c_str()) != 0) err = errno;
  if (err != 0) unlink(scratch.c_str());
  return err;
}

// Finishes the committed replacement of `table` whose marker is there, the folder locked (read
// under the lock: its writer may have finished meanwhile). True when there is none.
bool FinishCommitted(const platform::FolderLock& lock, const fs::path& table, std::string_view routine) {
  const std::string marker = ReplacementMarker(table.string());
  const int fd = open(marker.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    return err == ENOENT || Fail(err, "Cannot read " + marker, routine);
  }
  std::string text(kMaxMarkerSize + 1, '\0');
  std::size_t got = 0;
  ssize_t n = 0;
  while (got < text.size() && (n = read(fd, text.data() + got, text.size() - got)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    got += static_cast<std::size_t>(n);
  }
  const int read_error = n < 0 ? errno : 0;
  close(fd);
  if (read_error) return Fail(read_error, "Cannot read " + marker, routine);
  text.resize(got);

  std::vector<Step> steps;
  if (got > kMaxMarkerSize || !Decode(text, table, steps)) {
    Report(13, marker + " names no replacement of " + table.string() + "; remove it once the table is checked [" +
                   std::string(routine) + "]");
    return false;
  }
  return Finish(lock, table.parent_path(), marker, steps, routine);
}

}  // namespace

std::string ReplacementMarker(const std::string& table_file) {
  const fs::path table(table_file);
  return (table.parent_path() / ("." + table.filename().string() + std::string(kMarkerSuffix))).string();
}

bool ReplaceTable(const TableReplacement& r) {
  constexpr std::string_view kRoutine = "ReplaceTable";
  const fs::path table(platform::FullPath(r.table));
  const fs::path folder = table.parent_path();
  const fs::path new_table(platform::FullPath(r.new_table));
  const std::string new_memo = r.new_memo.empty() ? "" : platform::FullPath(r.new_memo);
  const fs::path memo(r.memo.empty() ? "" : platform::FullPath(r.memo));
  auto inside = [&](const fs::path& p) {
    const fs::path relative = p.lexically_relative(folder);
    return !relative.empty() && relative != "." && *relative.begin() != "..";
  };
  if (!inside(new_table) ||
      (!new_memo.empty() && (!inside(new_memo) || memo.parent_path() != folder ||
                             !IsMemoNameOf(memo.filename().string(), table)))) {
    Report(220, "New files must lie in or below the folder of " + table.string() + ", the memo file beside it [" +
                    std::string(kRoutine) + "]");
    return false;
  }

  // Everything the marker names is on disk before the marker is.
  for (const std::string& file : {new_table.string(), new_memo}) {
    if (file.empty()) continue;
    if (int err = SyncPath(file, false)) return Fail(err, "Cannot sync " + file, kRoutine);
    if (int err = SyncPath(fs::path(file).parent_path().string(), true))
      return Fail(err, "Cannot sync " + fs::path(file).parent_path().string(), kRoutine);
  }

  platform::FolderLock lock;
  if (!lock.Lock(folder.string())) return Fail(errno, "Cannot lock " + folder.string(), kRoutine);
  if (!r.held_here && HeldDenyAll(table.string())) {
    Report(platform::kSharingViolation, table.string() + " is open for another program's use alone; it was not replaced [" +
                                            std::string(kRoutine) + "]");
    return false;
  }
  // A replacement committed before and never finished is finished before its marker is reused.
  if (!FinishCommitted(lock, table, kRoutine)) return false;
  std::vector<Step> steps;
  const std::string memo_name = memo.filename().string();
  if (!new_memo.empty())
    steps.push_back({true, fs::path(new_memo).lexically_relative(folder).string(), memo_name});
  steps.push_back({true, new_table.lexically_relative(folder).string(), table.filename().string()});
  std::vector<std::string> names;
  if (int err = FolderNames(folder, names)) return Fail(err, "Cannot read the folder " + folder.string(), kRoutine);
  for (const std::string& name : names)
    if (IsStaleMemoOf(name, table, names) && (new_memo.empty() || name != memo_name)) steps.push_back({false, "", name});

  const std::string marker = ReplacementMarker(table.string());
  if (int err = Commit(new_table.string() + ".marker", marker, Encode(steps)))
    return Fail(err, "Cannot write " + marker, kRoutine);
  if (int err = lock.Sync()) return Fail(err, "Cannot sync " + folder.string(), kRoutine);
  return Finish(lock, folder, marker, steps, kRoutine);
}

bool ReplacementPending(const std::string& table_file) {
  struct stat st {};
  return lstat(ReplacementMarker(table_file).c_str(), &st) == 0;
}

bool CompleteReplacement(const std::string& table_file) {
  if (!ReplacementPending(table_file)) return true;  // the usual case
  const fs::path table(table_file);
  constexpr std::string_view kRoutine = "USE/CompleteReplacement";
  platform::FolderLock lock;
  if (!lock.Lock(table.parent_path().string()))
    return Fail(errno, "Cannot lock " + table.parent_path().string(), kRoutine);
  return FinishCommitted(lock, table, kRoutine);
}

bool CompleteReplacementsIn(const std::string& folder) {
  std::vector<std::string> names, tables;
  if (int err = FolderNames(folder, names))
    return Fail(err, "Cannot read the folder " + folder, "CompleteReplacementsIn");
  for (const std::string& name : names) {
    if (name.size() > kMarkerSuffix.size() + 1 && name.front() == '.' &&
        name.compare(name.size() - kMarkerSuffix.size(), kMarkerSuffix.size(), kMarkerSuffix) == 0)
      tables.push_back((fs::path(folder) / name.substr(1, name.size() - 1 - kMarkerSuffix.size())).string());
  }
  bool all = true;
  for (const std::string& table : tables) all = CompleteReplacement(table) && all;
  return all;
}

}  // namespace vornelle::engine
