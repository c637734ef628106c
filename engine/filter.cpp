#include "engine/filter.h"
#include "engine/record_window.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "engine/internal.h"
#include "engine/navigation.h"
#include "engine/record_io.h"
#include "engine/table.h"
#include "engine/update.h"

namespace vornelle::engine {

namespace {

bool EvaluateLogical(ExprHandle expr) {
  const void* result = State().parser.evaluate ? State().parser.evaluate(expr) : nullptr;
  return result == nullptr || *static_cast<const char*>(result) != 0;
}

}  // namespace

namespace {

// FIELD = "text" or FIELD == "text" on a character field, in parentheses or not, as the
// stored bytes test it. A record is translated byte by byte as it is read (the OEM page, a read
// table), so the bytes the expression sees are each stored byte as it reads, and StartsWith /
// strcmp on them are these comparisons.
std::optional<WorkArea::RawEquals> RawTestOf(const WorkArea& wa, std::string_view text) {
  text = Trim(text);
  while (text.size() >= 2 && text.front() == '(' && text.back() == ')') text = Trim(text.substr(1, text.size() - 2));
  std::size_t name_end = 0;
  while (name_end < text.size() && (std::isalnum(static_cast<unsigned char>(text[name_end])) || text[name_end] == '_'))
    ++name_end;
  if (name_end == 0 || std::isdigit(static_cast<unsigned char>(text[0]))) return std::nullopt;
  const std::string_view name = text.substr(0, name_end);
  std::string_view rest = Trim(text.substr(name_end));
  const bool exact = rest.substr(0, 2) == "==";
  if (!exact && rest.substr(0, 1) != "=") return std::nullopt;
  rest = Trim(rest.substr(exact ? 2 : 1));
  if (rest.size() < 2 || (rest.front() != '"' && rest.front() != '\'') || rest.back() != rest.front()) return std::nullopt;
  const std::string_view literal = rest.substr(1, rest.size() - 2);
  if (literal.find(rest.front()) != std::string_view::npos || literal.find('\0') != std::string_view::npos)
    return std::nullopt;
  const std::string upper = UpperAscii(name);
  for (const FieldDesc& field : wa.fields) {
    if (!SameFieldName(field.name, upper)) continue;
    // The expression reads the first field of the name: a test of stored bytes only for text
    // that is stored as it reads.
    if (!field.PlainText()) return std::nullopt;
    WorkArea::RawEquals test{field.offset, static_cast<uint8_t>(field.length), std::string(literal), exact, {}};
    char bytes[256];
    for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
    TranslateForRead(wa, bytes, sizeof bytes);
    for (int b = 0; b < 256; ++b) test.shown[b] = static_cast<uint8_t>(bytes[b]);
    return test;
  }
  return std::nullopt;
}

}  // namespace

bool RawBytesReject(const WorkArea::RawEquals& test, const char* record, bool stored) {
  const auto* field = reinterpret_cast<const uint8_t*>(record + test.offset);
  const std::size_t size = test.text.size();
  if (size > test.length) return true;
  const auto shown = [&](std::size_t i) { return stored ? test.shown[field[i]] : field[i]; };
  // A few bytes each: a loop the compiler keeps inline beats a call per record.
  const auto* text = reinterpret_cast<const uint8_t*>(test.text.data());
  for (std::size_t i = 0; i < size; ++i)
    if (shown(i) != text[i]) return true;
  // ==: the field's text (up to a NUL) ends where the literal does.
  return test.exact && size < test.length && shown(size) != 0;
}

bool RawFilterRejects(const WorkArea& wa) {
  if (!wa.raw_filter || wa.host_while || wa.while_expr) return false;
  return RawBytesReject(*wa.raw_filter, wa.raw.data(), /*stored=*/false);
}

int32_t FirstRawCandidate(WorkArea& wa, int32_t n) {
  if (!wa.raw_filter || wa.host_while || wa.while_expr) return n;
  const WorkArea::RawEquals& test = *wa.raw_filter;
  while (n <= wa.record_count) {
    const char* record = RecordAhead(wa, n);
    if (!record) return n;  // read as usual, and its failure reported as usual
    // Every record the window holds from n on, without asking for each.
    const int32_t last = std::min(wa.record_count, wa.window.first + wa.window.count - 1);
    for (const int32_t from = n; n <= last; ++n)
      if (!RawBytesReject(test, record + static_cast<std::size_t>(n - from) * wa.record_length)) return n;
  }
  return n;
}

int32_t LastRawCandidate(WorkArea& wa, int32_t n) {
  if (!wa.raw_filter || wa.host_while || wa.while_expr) return n;
  const WorkArea::RawEquals& test = *wa.raw_filter;
  while (n >= 1) {
    const char* record = RecordAhead(wa, n, ReadAhead::Backward);
    if (!record) return n;
    const char* first = record - static_cast<std::size_t>(n - wa.window.first) * wa.record_length;
    for (; n >= wa.window.first; --n)
      if (!RawBytesReject(test, first + static_cast<std::size_t>(n - wa.window.first) * wa.record_length)) return n;
  }
  return n;
}

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
  wa->raw_filter.reset();
  std::string_view trimmed = Trim(text);
  if (!trimmed.empty()) wa->filter = s.parser.compile(std::string(trimmed));
  if (wa->filter) wa->raw_filter = RawTestOf(*wa, trimmed);
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
