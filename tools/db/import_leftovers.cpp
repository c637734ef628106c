#include "tools/db/import_leftovers.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "engine/table_replace.h"

namespace vornelle::tools {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".vornelle-import-";

// The process id in a leftover's name: ".vornelle-import-PID" (a folder) or, from earlier
// versions, ".vornelle-import-PID.dbf", ".dbt" or ".fpt". 0 for any other name.
pid_t ImportOf(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return 0;
  name.remove_prefix(kPrefix.size());
  const std::size_t digits = std::min(name.find_first_not_of("0123456789"), name.size());
  const std::string_view rest = name.substr(digits);
  if (digits == 0 || digits > 9 || !(rest.empty() || rest == ".dbf" || rest == ".dbt" || rest == ".fpt")) return 0;
  return static_cast<pid_t>(std::stol(std::string(name.substr(0, digits))));
}

// Whether the import of that process is over. Its folder under our own id is a leftover too:
// this process writes one import at a time, and ids are given out again.
bool Gone(pid_t pid) { return pid == getpid() || (kill(pid, 0) != 0 && errno == ESRCH); }

}  // namespace

fs::path ImportFolder(const fs::path& folder) {
  return folder / (std::string(kPrefix) + std::to_string(getpid()));
}

void ClearImportLeftovers(const fs::path& folder) {
  // A marker names files of an import that committed: they are finished, never removed.
  engine::CompleteReplacementsIn(folder.string());
  std::vector<fs::path> leftovers;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (const pid_t pid = ImportOf(it->path().filename().string()); pid > 0 && Gone(pid))
      leftovers.push_back(it->path());
  for (const fs::path& path : leftovers) fs::remove_all(path, error);  // what cannot go stays
}

}  // namespace vornelle::tools
