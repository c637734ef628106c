#pragma once
// The compiled expression: a postfix instruction list with its literals, work stack and
// working pool. Shared by the compiler, the evaluator and the tests that look inside.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "expr/expr.h"

namespace vornelle::expr {

// Type codes of values, in instructions and on the work stack.
enum TypeCode : int32_t {
  kTypeC = 331,
  kTypeN = 332,
  kTypeL = 333,  // also the field and work area numbers of field instructions
  kTypeD = 334,
  kTypeM = 335,
};

// Instruction codes. The functions and field fetches share their codes with the scanner's
// tokens for them.
enum Opcode : int32_t {
  kOpEnd = -1,
  kOpPush = 0,
  kOpAbs = 257,
  kOpAsc = 259,
  kOpAt = 261,
  kOpCdow = 264,
  kOpChr = 266,
  kOpCmonth = 267,
  kOpCtod = 269,
  kOpDate = 270,
  kOpDay = 271,
  kOpDeleted = 272,
  kOpDow = 274,
  kOpDtoc = 275,
  kOpDtos = 277,
  kOpIif = 283,
  kOpInt = 284,
  kOpLeft = 288,
  kOpLen = 289,
  kOpLower = 292,
  kOpLtrim = 293,
  kOpMax = 294,
  kOpMin = 295,
  kOpMod = 296,
  kOpMonth = 297,
  kOpRecno = 300,
  kOpReplicate = 301,
  kOpRight = 302,
  kOpRound = 303,
  kOpRtrim = 305,
  kOpSoundex = 308,
  kOpSpace = 310,
  kOpStr = 311,
  kOpStuff = 312,
  kOpSubstr = 313,
  kOpTrim = 316,
  kOpUpper = 318,
  kOpVal = 319,
  kOpYear = 320,
  // Field fetches of the current work area (C N L D M), then of an aliased one.
  kOpFieldC = 321,
  kOpFieldN = 322,
  kOpFieldL = 323,
  kOpFieldD = 324,
  kOpFieldM = 325,
  kOpAliasC = 326,
  kOpAliasM = 330,
  // Operators.
  kOpAddNN = 347,
  kOpAddND = 348,
  kOpAddDN = 349,
  kOpAddCC = 350,
  kOpSubNN = 351,
  kOpSubDN = 352,
  kOpSubDD = 353,
  kOpSubCC = 354,
  kOpMul = 355,
  kOpDiv = 356,
  kOpPow = 357,
  kOpEqN = 358,
  kOpEqD = 359,
  kOpEqC = 360,
  kOpEqL = 361,
  kOpExact = 362,
  kOpContained = 363,
  kOpGtN = 364,
  kOpGtD = 365,
  kOpGtC = 366,
  kOpLtN = 367,
  kOpLtD = 368,
  kOpLtC = 369,
  kOpNeN = 370,
  kOpNeD = 371,
  kOpNeC = 372,
  kOpNeL = 373,
  kOpLeN = 374,
  kOpLeD = 375,
  kOpLeC = 376,
  kOpGeN = 377,
  kOpGeD = 378,
  kOpGeC = 379,
  kOpOr = 380,
  kOpAnd = 381,
  kOpNot = 382,
  kOpNegate = 383,
};

inline constexpr int kMaxText = 255;          // characters of a character value
inline constexpr int kTextLimit = 255;        // characters of an expression text
inline constexpr uint8_t kNoDecimals = 19;    // result decimals before any number is seen
inline constexpr uint8_t kDefaultDecimals = 2;

struct Instruction {
  int32_t opcode = kOpPush;
  int32_t argc = 0;
  int32_t type = 0;        // push constant: the type code of the value
  double number = 0;       // N and D constants
  int32_t integer = 0;     // L constants, field and work area numbers
  const char* text = nullptr;  // C constants: the literal's block
  int32_t length = 0;      // C constants: characters without the terminator
};

// One entry of the work stack. C and M values are offsets into the working pool (kNoText
// when the pool had no room for them).
struct WorkEntry {
  int32_t type = 0;
  int32_t integer = 0;  // L
  double number = 0;    // N and D
  int32_t text = 0;     // C and M
};
inline constexpr int32_t kNoText = -1;

struct Expression {
  std::string text;
  char result_type = 0;
  uint16_t width = 0;
  uint8_t decimals = 0;
  const void* result = nullptr;  // pool start for C and M, the bottom entry's value otherwise
  std::vector<std::unique_ptr<char[]>> literals;
  std::vector<Instruction> code;
  std::vector<WorkEntry> stack;  // sized when compiling to the deepest point of the code
  uint16_t pool_size = 0;
  std::unique_ptr<char[]> pool;  // pool_size bytes, at least 1
  std::string memo_line;         // line buffer of memo values, kept between evaluations
};

// Whether `expression` is one of the live compiled expressions, and how many there are.
bool IsLive(const Expression* expression);
std::size_t LiveExpressionCount();

// Runs the instructions of a live expression; the result pointer.
const void* Run(Expression& expression);

}  // namespace vornelle::expr
