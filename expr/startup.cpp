// Start-up of the expression unit: its hooks in the record engine, and the engine's number and
// date settings from the platform's locale.

#include "expr/startup.h"

#include <cctype>

#include "engine/state.h"
#include "expr/expr.h"
#include "platform/locale.h"

namespace vornelle::expr {

namespace {

engine::ExprHandle CompileHook(const std::string& text) { return Compile(text); }

void ReleaseHook(engine::ExprHandle* handle, int /*area*/) {
  Expression* expression = static_cast<Expression*>(*handle);
  Release(expression);
  *handle = nullptr;
}

const void* EvaluateHook(engine::ExprHandle handle) {
  return Evaluate(static_cast<Expression*>(handle));
}

std::string CountedToText(const char* counted) {
  return std::string(counted + 1, static_cast<uint8_t>(counted[0]));
}

const void* EvaluateKeyHook() {
  return Evaluate(static_cast<Expression*>(engine::State().key_expression));
}

// The date order a short date format stands for.
uint8_t DateOrderOf(const platform::ShortDateFormat& format) {
  char first = format.pattern.empty() ? 0 : format.pattern[0];
  if (first == 'd' || first == 'D') {
    if (format.separator == '-') return 3;
    if (format.separator == '.') return 5;
    return 2;
  }
  if (first == 'y' || first == 'Y') return 1;
  return 0;
}

// The engine's own pattern for a date order, which the platform then uses for the process.
platform::ShortDateFormat PatternOf(uint8_t order, bool century) {
  const std::string year = century ? "yyyy" : "yy";
  switch (order) {
    case 0: return {"MM/dd/" + year, '/'};
    case 1: return {year + ".MM.dd", '.'};
    case 2: return {"dd/MM/" + year, '/'};
    case 3: return {"dd-MM-" + year, '-'};
    default: return {"dd.MM." + year, '.'};
  }
}

}  // namespace

void InstallExpressionUnit() {
  engine::EngineState& s = engine::State();
  s.parser.compile = CompileHook;
  s.parser.release = ReleaseHook;
  s.parser.evaluate = EvaluateHook;
  s.parser.counted_to_text = CountedToText;
  s.parser.evaluate_key = EvaluateKeyHook;
  s.parser.linked = true;

  platform::NumberSeparators separators = platform::GetNumberSeparators();
  s.switches.thousands_separator = separators.thousands;
  s.switches.decimal_separator = separators.decimal;

  platform::ShortDateFormat format = platform::GetShortDateFormat();
  std::string upper = format.pattern;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  s.switches.century = upper.find("YYYY") != std::string::npos;
  s.switches.date_order = DateOrderOf(format);
  platform::SetShortDateFormat(PatternOf(s.switches.date_order, s.switches.century));
}

}  // namespace vornelle::expr
