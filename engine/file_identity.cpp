// Whether a work area still writes the files its table's name opens.

#include "engine/internal.h"
#include "engine/table.h"
#include "platform/file.h"

namespace vornelle::engine {

namespace {

// Neither file was put aside: the table's name and its memo file's name still open them.
bool NamesStillOpen(const WorkArea& wa) {
  bool named = false;
  if (wa.file.NamedBy(wa.file_name, &named) != 0 || !named) return false;
  return !wa.memo || (wa.memo->file.NamedBy(wa.memo->name, &named) == 0 && named);
}

}  // namespace

bool CheckStillInPlace(WorkArea& wa, std::string_view routine) {
  // A table open deny-all is never replaced under its holder: replacements refuse one.
  if (wa.exclusive || NamesStillOpen(wa)) return true;
  Report(kTableReplaced, wa.file_name + " was replaced by another program since it was opened; nothing was written"
                         " [" + std::string(routine) + "]");
  return false;
}

bool TableReplaced() {
  const WorkArea* wa = Guard("TableReplaced");
  return wa && !NamesStillOpen(*wa);
}

}  // namespace vornelle::engine
