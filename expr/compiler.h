#pragma once
// The compile state of one expression: the scanner over the expression text, and the semantic
// actions of the grammar, which check operand types and append postfix instructions.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expr/compiled.h"

namespace vornelle::expr {

// The semantic value of a token or of a parsed subexpression.
struct Operand {
  int32_t type;     // subexpressions: the type code
  int32_t token;    // function names: their token (= opcode)
  int32_t field;    // field names: field number (1-based)
  int32_t area;     // field names with an alias: work area number
  int32_t literal;  // string literals: index of the literal's block
  double number;    // numeric literals
};

// Memory ran out while compiling; `context` is the report's context message.
struct AllocationFailure {
  const char* context;
};

class Compiler {
 public:
  // `text` must hold at most kTextLimit characters.
  explicit Compiler(std::string_view text);

  // The scanner: the next token and its value.
  int Scan(Operand* value);

  // Semantic actions. Each returns the type code of the result, or 0 after recording a type
  // mismatch (the parse is then abandoned).
  int32_t Binary(int op, int32_t left, int32_t right);
  int32_t Prefix(int op, int32_t operand);
  int32_t Call(int function, std::initializer_list<int32_t> arguments);
  int32_t PushString(const Operand& literal);
  int32_t PushNumber(double value);
  int32_t PushLogical(bool value);
  int32_t Field(int token, const Operand& field);
  void End(int32_t type);

  // The parser's error report ("syntax error" or stack exhaustion).
  void ParserError(bool stack_exhausted);

  // Runs the parser. True when the whole text compiled.
  bool Parse();

  // The failure message and the scanner position when it happened.
  const std::string& error() const { return error_; }
  int error_position() const { return error_position_; }
  const char* buffer() const { return buffer_; }

  // What compiling produced (moved into the compiled expression).
  std::vector<Instruction> code;
  std::vector<std::unique_ptr<char[]>> literals;
  char result_type = 0;
  uint32_t pool_allowance = 0;
  uint8_t last_field_width = 0;
  uint8_t result_decimals = kNoDecimals;

 private:
  int Read();
  int ReadUpper();
  void PutBack();
  int ScanLiteral(int quote, Operand* value);
  int ScanNumber(int first, Operand* value);
  int ScanName(int first, Operand* value);
  int ResolveName(const std::string& name, bool aliased, Operand* value);
  void Mismatch(const char* what, const char* name);
  void Append(int32_t opcode, int32_t argc);
  void Emit(const Instruction& instruction);

  char buffer_[kTextLimit + 1] = {};  // the text, zero-terminated
  int position_ = 0;
  char literal_buffer_[511] = {};
  int literal_used_ = 0;
  std::string error_;
  int error_position_ = 0;
};

}  // namespace vornelle::expr
