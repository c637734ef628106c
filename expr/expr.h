#pragma once
// The expression language: dBASE-style expressions compiled against the open work areas and
// evaluated against their current records. The record engine reaches it through the parser
// hooks that InstallExpressionUnit fills; other callers use the functions below.
//
// Errors are reported through the engine's error routine (code 351 for syntax errors, type
// mismatches and parser stack overflow); a failed compilation gives a null handle.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "expr/dates.h"
#include "expr/startup.h"

namespace vornelle::expr {

// A compiled expression. Owned by whoever compiled it until Release.
struct Expression;

// Compiles `text` against the work areas as they are now: field names are resolved to field
// and work area numbers here. Null after reporting an error.
Expression* Compile(std::string_view text);
// Frees the expression and sets the handle to null; a null handle is left alone.
void Release(Expression*& handle);

// Evaluates against the current records. Returns where the value lies (see the accessors
// below), or null for a null or released handle.
const void* Evaluate(Expression* expression);

// Type letter of the result: 'C', 'N', 'L', 'D' or 'M'.
char ResultType(const Expression& expression);
// Display width and decimals of the result.
uint16_t ResultWidth(const Expression& expression);
uint8_t ResultDecimals(const Expression& expression);
// The text the expression was compiled from.
const std::string& ExpressionText(const Expression& expression);

// The value of the last evaluation, read by the result type:
const char* ResultText(const Expression& expression);  // C and M (zero-terminated)
double ResultNumber(const Expression& expression);     // N, and D as a day number
bool ResultLogical(const Expression& expression);      // L

// Compiles, evaluates once and releases: the convenience form for one-off values. False when
// the text does not compile (the error is reported as by Compile).
struct Value {
  char type = 0;
  std::string text;  // C and M
  double number = 0;  // N, and D as a day number
  bool logical = false;
  uint16_t width = 0;
  uint8_t decimals = 0;
};
bool EvaluateText(std::string_view text, Value* value);

// The filter-mode check: 0 when `text` compiles to a logical expression, 359 when it is empty,
// 362 when its result is not logical, else the error code of the failed compilation. Reports
// nothing and leaves the last error code clear.
int CheckExpression(std::string_view text);

// Owns a compiled expression.
struct ExpressionDeleter {
  void operator()(Expression* expression) const { Release(expression); }
};
using ExpressionPtr = std::unique_ptr<Expression, ExpressionDeleter>;

}  // namespace vornelle::expr
