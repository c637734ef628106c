#include "engine/state.h"

#include <cstdlib>

#include "engine/internal.h"
#include "engine/table.h"
#include "platform/message_box.h"

namespace vornelle::engine {

namespace {

// Closes the engine's own slots, then the work areas, when the program ends. An error while
// closing ends the closing; it is shown but cannot halt a process that is already ending.
void CloseAtExit() {
  EngineState& s = State();
  bool old_raise = s.error.raise;
  s.error.raise = true;
  try {
    for (int slot : {34, 35}) {
      s.current = slot;
      CloseArea();
    }
    CloseAll();
  } catch (const ETavrinError& e) {
    if (!s.error.halted) platform::ShowErrorMessageBox(kHaltCaption, e.what());
  }
  s.error.raise = old_raise;
}

}  // namespace

namespace detail {

EngineState* g_state = nullptr;

EngineState& CreateState() {
  static EngineState* state = [] {
    auto* created = new EngineState();  // lives until the process ends, after CloseAtExit
    std::atexit(CloseAtExit);
    return created;
  }();
  g_state = state;
  return *state;
}

}  // namespace detail

void ResetEngine() {
  EngineState& s = State();
  s.error.auto_check = false;
  s.error.raise = false;
  s.error.halted = false;
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    s.current = slot;
    CloseArea();
  }
  ParserHooks parser = s.parser;
  MemoHooks memo = s.memo;
  s = EngineState();
  s.parser = parser;
  s.memo = memo;
}

WorkArea* Area(int number) {
  if (number < 1 || number > kSlotCount) return nullptr;
  return State().slots[number].get();
}

int TypedFieldSize(const FieldDesc& field) {
  switch (field.type) {
    case 'C': return field.TextWidth() + 1;
    case 'D': return 11;
    case 'N':
    case 'F': return field.TypedDouble() ? 8 : 4;
    case 'L': return 1;
    case 'M': return 4;
    default: return 0;
  }
}

void ReportNoTable(std::string_view routine) {
  Report(215, "No database in use [" + std::string(routine) + "]  WorkArea = " +
                  std::to_string(State().current));
}

void RunMovedHook(WorkArea& wa) {
  if (!wa.moved_hook) return;
  int area = wa.number;
  int32_t recno = wa.recno;
  RecordMovedFn hook = wa.moved_hook;
  wa.moved_hook = nullptr;
  {
    CurrentAreaScope keep;
    hook(area);
  }
  WorkArea* after = Area(area);
  if (!after) return;  // the hook closed the table
  after->moved_hook = hook;
  if (after->recno != recno) Report(224, after->file_name);
}

}  // namespace vornelle::engine
