// Compiling: the semantic actions of the grammar (type rules and postfix instructions),
// AssignExpr with its sizes and error reports, release, the list of live expressions and the
// filter-mode check.

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_set>

#include "engine/errors.h"
#include "engine/state.h"
#include "expr/compiler.h"
#include "grammar.hpp"

namespace vornelle::expr {

namespace {

struct TypeCase {
  int32_t left, right, result, opcode;  // opcode 0: no instruction (prefix +)
};

struct OperatorRule {
  int op;
  const char* name;  // as the mismatch message shows it
  int count;
  TypeCase cases[4];
};

constexpr OperatorRule kBinaryRules[] = {
    {'+', "+", 4,
     {{kTypeN, kTypeN, kTypeN, kOpAddNN}, {kTypeN, kTypeD, kTypeD, kOpAddND},
      {kTypeD, kTypeN, kTypeD, kOpAddDN}, {kTypeC, kTypeC, kTypeC, kOpAddCC}}},
    {'-', "-", 4,
     {{kTypeN, kTypeN, kTypeN, kOpSubNN}, {kTypeD, kTypeN, kTypeD, kOpSubDN},
      {kTypeD, kTypeD, kTypeN, kOpSubDD}, {kTypeC, kTypeC, kTypeC, kOpSubCC}}},
    {'*', "*", 1, {{kTypeN, kTypeN, kTypeN, kOpMul}}},
    {'/', "/", 1, {{kTypeN, kTypeN, kTypeN, kOpDiv}}},
    {'^', "** or ^", 1, {{kTypeN, kTypeN, kTypeN, kOpPow}}},
    {'=', "=", 4,
     {{kTypeN, kTypeN, kTypeL, kOpEqN}, {kTypeC, kTypeC, kTypeL, kOpEqC},
      {kTypeD, kTypeD, kTypeL, kOpEqD}, {kTypeL, kTypeL, kTypeL, kOpEqL}}},
    {TOK_CONTAINED, "$", 1, {{kTypeC, kTypeC, kTypeL, kOpContained}}},
    {TOK_EXACT, "==", 1, {{kTypeC, kTypeC, kTypeL, kOpExact}}},
    {'>', ">", 3,
     {{kTypeN, kTypeN, kTypeL, kOpGtN}, {kTypeC, kTypeC, kTypeL, kOpGtC},
      {kTypeD, kTypeD, kTypeL, kOpGtD}}},
    {'<', "<", 3,
     {{kTypeN, kTypeN, kTypeL, kOpLtN}, {kTypeC, kTypeC, kTypeL, kOpLtC},
      {kTypeD, kTypeD, kTypeL, kOpLtD}}},
    {TOK_NE, "<>", 4,
     {{kTypeN, kTypeN, kTypeL, kOpNeN}, {kTypeC, kTypeC, kTypeL, kOpNeC},
      {kTypeD, kTypeD, kTypeL, kOpNeD}, {kTypeL, kTypeL, kTypeL, kOpNeL}}},
    {TOK_LE, "<=", 3,
     {{kTypeN, kTypeN, kTypeL, kOpLeN}, {kTypeC, kTypeC, kTypeL, kOpLeC},
      {kTypeD, kTypeD, kTypeL, kOpLeD}}},
    {TOK_GE, ">=", 3,
     {{kTypeN, kTypeN, kTypeL, kOpGeN}, {kTypeC, kTypeC, kTypeL, kOpGeC},
      {kTypeD, kTypeD, kTypeL, kOpGeD}}},
    {TOK_OR, ".OR.", 1, {{kTypeL, kTypeL, kTypeL, kOpOr}}},
    {TOK_AND, ".AND.", 1, {{kTypeL, kTypeL, kTypeL, kOpAnd}}},
};

constexpr OperatorRule kPrefixRules[] = {
    {TOK_NOT, ".NOT.", 1, {{kTypeL, 0, kTypeL, kOpNot}}},
    {'-', "Unary -", 1, {{kTypeN, 0, kTypeN, kOpNegate}}},
    {'+', "Unary +", 1, {{kTypeN, 0, kTypeN, 0}}},
};

struct Signature {
  int function;
  const char* name;  // the full name, also for calls through an abbreviation
  int count;
  int32_t arguments[4];
  int32_t result;
};

constexpr Signature kSignatures[] = {
    {TOK_ABS, "ABS", 1, {kTypeN}, kTypeN},
    {TOK_ASC, "ASC", 1, {kTypeC}, kTypeN},
    {TOK_AT, "AT", 2, {kTypeC, kTypeC}, kTypeN},
    {TOK_CDOW, "CDOW", 1, {kTypeD}, kTypeC},
    {TOK_CHR, "CHR", 1, {kTypeN}, kTypeC},
    {TOK_CMONTH, "CMONTH", 1, {kTypeD}, kTypeC},
    {TOK_CTOD, "CTOD", 1, {kTypeC}, kTypeD},
    {TOK_DATE, "DATE", 0, {}, kTypeD},
    {TOK_DAY, "DAY", 1, {kTypeD}, kTypeN},
    {TOK_DELETED, "DELETED", 0, {}, kTypeL},
    {TOK_DOW, "DOW", 1, {kTypeD}, kTypeN},
    {TOK_DTOC, "DTOC", 1, {kTypeD}, kTypeC},
    {TOK_DTOS, "DTOS", 1, {kTypeD}, kTypeC},
    {TOK_IIF, "IIF", 3, {kTypeL, kTypeC, kTypeC}, kTypeC},
    {TOK_INT, "INT", 1, {kTypeN}, kTypeN},
    {TOK_LEFT, "LEFT", 2, {kTypeC, kTypeN}, kTypeC},
    {TOK_LEN, "LEN", 1, {kTypeC}, kTypeN},
    {TOK_LOWER, "LOWER", 1, {kTypeC}, kTypeC},
    {TOK_LTRIM, "LTRIM", 1, {kTypeC}, kTypeC},
    {TOK_MAX, "MAX", 2, {kTypeN, kTypeN}, kTypeN},
    {TOK_MAX, "MAX", 2, {kTypeD, kTypeD}, kTypeD},
    {TOK_MIN, "MIN", 2, {kTypeN, kTypeN}, kTypeN},
    {TOK_MIN, "MIN", 2, {kTypeD, kTypeD}, kTypeD},
    {TOK_MOD, "MOD", 2, {kTypeN, kTypeN}, kTypeN},
    {TOK_MONTH, "MONTH", 1, {kTypeD}, kTypeN},
    {TOK_RECNO, "RECNO", 0, {}, kTypeN},
    {TOK_REPLICATE, "REPLICATE", 2, {kTypeC, kTypeN}, kTypeC},
    {TOK_RIGHT, "RIGHT", 2, {kTypeC, kTypeN}, kTypeC},
    {TOK_ROUND, "ROUND", 2, {kTypeN, kTypeN}, kTypeN},
    {TOK_RTRIM, "RTRIM", 1, {kTypeC}, kTypeC},
    {TOK_SOUNDEX, "SOUNDEX", 1, {kTypeC}, kTypeC},
    {TOK_SPACE, "SPACE", 1, {kTypeN}, kTypeC},
    {TOK_STR, "STR", 1, {kTypeN}, kTypeC},
    {TOK_STR, "STR", 2, {kTypeN, kTypeN}, kTypeC},
    {TOK_STR, "STR", 3, {kTypeN, kTypeN, kTypeN}, kTypeC},
    {TOK_STUFF, "STUFF", 4, {kTypeC, kTypeN, kTypeN, kTypeC}, kTypeC},
    {TOK_SUBSTR, "SUBSTR", 3, {kTypeC, kTypeN, kTypeN}, kTypeC},
    {TOK_TRIM, "TRIM", 1, {kTypeC}, kTypeC},
    {TOK_UPPER, "UPPER", 1, {kTypeC}, kTypeC},
    {TOK_VAL, "VAL", 1, {kTypeC}, kTypeN},
    {TOK_YEAR, "YEAR", 1, {kTypeD}, kTypeN},
};

char LetterOf(int32_t type) {
  switch (type) {
    case kTypeC: return 'C';
    case kTypeN: return 'N';
    case kTypeL: return 'L';
    case kTypeD: return 'D';
    default: return 'M';
  }
}

// Never destroyed: the engine releases the filters of the work areas it closes when the
// process ends, after the destructors of statics have run.
std::unordered_set<const Expression*>& LiveExpressions() {
  static auto* live = new std::unordered_set<const Expression*>();
  return *live;
}

// The part of the text around the scanner position that an error report shows.
std::string Excerpt(std::string_view text, int position) {
  constexpr int kLength = 51;
  const int size = static_cast<int>(text.size());
  int p = position - 1;
  std::string out;
  int start = 0;
  if (p < 50) {
    out = "[";
  } else {
    start = std::min(p - 50, size);
    out = "[...";
  }
  if (start + kLength < size) {
    out.append(text.substr(static_cast<std::size_t>(start), kLength));
    out += "...]";
  } else {
    out.append(text.substr(static_cast<std::size_t>(start)));
    out += "]";
  }
  return out;
}

void ReportCompileError(const std::string& message, std::string_view text, int position) {
  engine::Report(351, "Error in expression : " + message + "\r\n" + Excerpt(text, position) +
                          "\r\n" + " [AssignExpr]");
}

// Width and decimals of the result, and where it is found after evaluation.
void Finish(Expression& e, const Compiler& c) {
  const uint8_t field_width = c.last_field_width;
  switch (e.result_type) {
    case 'C':
      e.result = e.pool.get();
      e.width = e.pool_size == field_width + 1 ? field_width : 0;
      break;
    case 'D':
      e.result = &e.stack[0].number;
      e.width = 8;
      break;
    case 'L':
      e.result = &e.stack[0].integer;
      e.width = 1;
      break;
    case 'M':
      e.result = e.pool.get();
      e.width = e.pool_size;
      break;
    default:  // N
      e.result = &e.stack[0].number;
      e.decimals = c.result_decimals < kNoDecimals ? c.result_decimals : kDefaultDecimals;
      e.width = field_width >= e.decimals + 2 ? field_width : e.decimals + 11;
      break;
  }
}

// The deepest point the work stack reaches while running the code.
std::size_t StackDepth(const std::vector<Instruction>& code) {
  long depth = 0, deepest = 1;
  for (const Instruction& i : code) {
    if (i.opcode == kOpPush)
      ++depth;
    else if (i.opcode != kOpEnd)
      depth += 1 - i.argc;
    deepest = std::max(deepest, depth);
  }
  return static_cast<std::size_t>(deepest);
}

Expression* AssignExpr(std::string_view text) {
  int16_t last = engine::LastError();
  if (last >= 350 && last <= 363) engine::ClearLastError();
  if (text.size() > static_cast<std::size_t>(kTextLimit)) {
    ReportCompileError("Expression longer than 255 characters", text, kTextLimit + 1);
    return nullptr;
  }
  try {
    auto e = std::make_unique<Expression>();
    Compiler c(text);
    if (!c.Parse()) {
      ReportCompileError(c.error(), c.buffer(), c.error_position());
      return nullptr;
    }
    try {
      e->text = std::string(text);
    } catch (const std::bad_alloc&) {
      engine::Report(217, " [AssignExpr(" + std::string(text) + ")]");
      return nullptr;
    }
    e->literals = std::move(c.literals);
    e->code = std::move(c.code);
    e->result_type = c.result_type;
    uint32_t pool = e->result_type == 'M' ? engine::State().switches.memo_width
                                          : std::min<uint32_t>(c.pool_allowance, 0xFFFF);
    e->pool_size = static_cast<uint16_t>(pool);
    e->pool = std::make_unique<char[]>(std::max<uint32_t>(pool, 1));
    e->pool[0] = 0;
    e->stack.resize(StackDepth(e->code));
    Finish(*e, c);
    LiveExpressions().insert(e.get());
    return e.release();
  } catch (const AllocationFailure& failure) {
    engine::Report(217, failure.context);
    return nullptr;
  } catch (const std::bad_alloc&) {
    engine::Report(217, " [AssignExpr]");
    return nullptr;
  }
}

}  // namespace

// ---- Semantic actions ----

void Compiler::Emit(const Instruction& instruction) {
  try {
    code.push_back(instruction);
  } catch (const std::bad_alloc&) {
    throw AllocationFailure{" [PARSER/SStackCheck]"};
  }
}

void Compiler::Append(int32_t opcode, int32_t argc) {
  Instruction i;
  i.opcode = opcode;
  i.argc = argc;
  Emit(i);
}

void Compiler::Mismatch(const char* what, const char* name) {
  error_ = std::string("PARSER:Type mismatch in ") + what + " \"" + name + "\"";
  error_position_ = position_;
}

void Compiler::ParserError(bool stack_exhausted) {
  error_ = stack_exhausted ? "Parser_stack_overflow" : "Syntax error";
  error_position_ = position_;
}

int32_t Compiler::Binary(int op, int32_t left, int32_t right) {
  for (const OperatorRule& rule : kBinaryRules) {
    if (rule.op != op) continue;
    for (int i = 0; i < rule.count; ++i) {
      const TypeCase& t = rule.cases[i];
      if (t.left == left && t.right == right) {
        Append(t.opcode, 2);
        return t.result;
      }
    }
    Mismatch("expression", rule.name);
    return 0;
  }
  return 0;
}

int32_t Compiler::Prefix(int op, int32_t operand) {
  for (const OperatorRule& rule : kPrefixRules) {
    if (rule.op != op) continue;
    const TypeCase& t = rule.cases[0];
    if (t.left != operand) {
      Mismatch("expression", rule.name);
      return 0;
    }
    if (t.opcode != 0) Append(t.opcode, 1);
    return t.result;
  }
  return 0;
}

int32_t Compiler::Call(int function, std::initializer_list<int32_t> arguments) {
  const char* name = "";
  for (const Signature& s : kSignatures) {
    if (s.function != function) continue;
    name = s.name;
    if (s.count != static_cast<int>(arguments.size())) continue;
    if (std::equal(arguments.begin(), arguments.end(), s.arguments)) {
      Append(function, s.count);
      return s.result;
    }
  }
  Mismatch("function", name);
  return 0;
}

int32_t Compiler::PushString(const Operand& literal) {
  Instruction i;
  i.type = kTypeC;
  i.text = literals[static_cast<std::size_t>(literal.literal)].get();
  i.length = static_cast<int32_t>(std::strlen(i.text));
  Emit(i);
  return kTypeC;
}

int32_t Compiler::PushNumber(double value) {
  Instruction i;
  i.type = kTypeN;
  i.number = value;
  Emit(i);
  return kTypeN;
}

int32_t Compiler::PushLogical(bool value) {
  Instruction i;
  i.type = kTypeL;
  i.integer = value ? 1 : 0;
  Emit(i);
  return kTypeL;
}

int32_t Compiler::Field(int token, const Operand& field) {
  const bool aliased = token >= TOK_ALIAS_C;
  Instruction number;
  number.type = kTypeL;
  number.integer = field.field;
  Emit(number);
  if (aliased) {
    Instruction area;
    area.type = kTypeL;
    area.integer = field.area;
    Emit(area);
  }
  Append(token, aliased ? 2 : 1);
  static constexpr int32_t kTypes[5] = {kTypeC, kTypeN, kTypeL, kTypeD, kTypeM};
  return kTypes[(token - TOK_FIELD_C) % 5];
}

void Compiler::End(int32_t type) {
  Append(kOpEnd, 0);
  result_type = LetterOf(type);
}

// ---- The live expressions and the public entry points ----

bool IsLive(const Expression* expression) {
  return expression && LiveExpressions().count(expression) != 0;
}

std::size_t LiveExpressionCount() { return LiveExpressions().size(); }

Expression* Compile(std::string_view text) { return AssignExpr(text); }

void Release(Expression*& handle) {
  if (!handle) return;
  auto& live = LiveExpressions();
  auto it = live.find(handle);
  if (it != live.end()) {
    live.erase(it);
    delete handle;
  }
  handle = nullptr;
}

const void* Evaluate(Expression* expression) {
  if (!IsLive(expression)) return nullptr;
  return Run(*expression);
}

char ResultType(const Expression& e) { return e.result_type; }
uint16_t ResultWidth(const Expression& e) { return e.width; }
uint8_t ResultDecimals(const Expression& e) { return e.decimals; }
const std::string& ExpressionText(const Expression& e) { return e.text; }

const char* ResultText(const Expression& e) {
  return e.result_type == 'C' || e.result_type == 'M' ? e.pool.get() : "";
}

double ResultNumber(const Expression& e) {
  return e.result_type == 'N' || e.result_type == 'D' ? e.stack[0].number : 0;
}

bool ResultLogical(const Expression& e) { return e.result_type == 'L' && e.stack[0].integer != 0; }

bool EvaluateText(std::string_view text, Value* value) {
  ExpressionPtr e(Compile(text));
  if (!e) return false;
  Evaluate(e.get());
  value->type = e->result_type;
  value->width = e->width;
  value->decimals = e->decimals;
  value->text = ResultText(*e);
  value->number = ResultNumber(*e);
  value->logical = ResultLogical(*e);
  return true;
}

int CheckExpression(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  if (text.empty()) return 359;
  engine::EngineSwitches& sw = engine::State().switches;
  const bool auto_check = engine::SetAutoCheck(false);
  const uint16_t memo_width = sw.memo_width;
  sw.memo_width = 0;
  Expression* e = Compile(text);
  int code = 0;
  if (!e)
    code = engine::LastError();
  else if (e->result_type != 'L')
    code = 362;
  Release(e);
  sw.memo_width = memo_width;
  engine::SetAutoCheck(auto_check);
  engine::ClearLastError();
  return code;
}

}  // namespace vornelle::expr
