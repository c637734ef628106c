#include "engine/filter.h"

#include "engine/internal.h"
#include "engine/navigation.h"
#include "engine/update.h"

namespace vornelle::engine {

namespace {

bool EvaluateLogical(ExprHandle expr) {
  const void* result = State().parser.evaluate ? State().parser.evaluate(expr) : nullptr;
  return result == nullptr || *static_cast<const char*>(result) != 0;
}

}  // namespace

bool RecordPasses(WorkArea& wa) {
  if (wa.skip_deleted && wa.raw[0] == '*') return false;
  CurrentAreaScope keep;
  if (wa.host_filter) return wa.host_filter(wa.filter_user, wa.number);
  if (wa.filter) return EvaluateLogical(wa.filter);
  return true;
}

bool FilterHolds() {
  WorkArea* wa = Current();
  if (!wa) return true;
  CurrentAreaScope keep;
  bool result = true;
  if (wa->host_filter) result = wa->host_filter(wa->filter_user, wa->number);
  if (wa->filter) result = EvaluateLogical(wa->filter);  // the expression wins
  return result;
}

bool WhileHolds(WorkArea& wa) {
  if (!wa.host_while && !wa.while_expr) return true;
  CurrentAreaScope keep;
  bool result = true;
  if (wa.host_while) result = wa.host_while(wa.while_user, wa.number);
  if (wa.while_expr) result = EvaluateLogical(wa.while_expr);
  return result;
}

void Set_Filter_To(std::string_view text) {
  EngineState& s = State();
  if (!s.parser.linked) {
    Report(220, "TZParser unit not linked in. [Set_Filter_To]");
    return;
  }
  WorkArea* wa = Guard("Set_Filter_To");
  if (!wa) return;
  if (wa->filter) s.parser.release(&wa->filter, wa->number);
  wa->filter = nullptr;
  std::string_view trimmed = Trim(text);
  if (!trimmed.empty()) wa->filter = s.parser.compile(std::string(trimmed));
  wa->host_filter = nullptr;
  wa->filter_user = nullptr;
}

bool RepositionAfterChange() {
  WorkArea* wa = Current();
  if (!wa) return false;
  if (WhileHolds(*wa) && RecordPasses(*wa)) return false;
  Unlock();
  int32_t recno = wa->recno;
  RecordMovedFn hook = SetRecordMovedHook(nullptr);
  Skip(1);
  if (dEOF()) {
    SafeGo(recno);
    Skip(-1);
  }
  SetRecordMovedHook(hook);
  return true;
}

}  // namespace vornelle::engine
