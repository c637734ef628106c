// The scanner of the expression language: characters to tokens, names resolved to fields of
// the open work areas or to keywords, and the pool allowance, last field width and result
// decimals that the compiled expression's sizes come from.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "engine/state.h"
#include "engine/table.h"
#include "expr/compiler.h"
#include "expr/number_text.h"
#include "grammar.hpp"

namespace vornelle::expr {

namespace {

constexpr int kEndMark = 255;
constexpr std::size_t kNameLimit = 80;  // longer names are found nowhere

struct Keyword {
  const char* name;
  int token;
  uint16_t allowance;
};

// Every function name longer than four letters is also entered under each prefix of four
// letters or more.
constexpr std::array<Keyword, 68> kKeywords = {{
    {"ABS", TOK_ABS, 0},
    {"ASC", TOK_ASC, 0},
    {"AT", TOK_AT, 0},
    {"CDOW", TOK_CDOW, 15},
    {"CHR", TOK_CHR, 2},
    {"CMON", TOK_CMONTH, 15},
    {"CMONT", TOK_CMONTH, 15},
    {"CMONTH", TOK_CMONTH, 15},
    {"CTOD", TOK_CTOD, 0},
    {"DATE", TOK_DATE, 0},
    {"DAY", TOK_DAY, 0},
    {"DELE", TOK_DELETED, 0},
    {"DELET", TOK_DELETED, 0},
    {"DELETE", TOK_DELETED, 0},
    {"DELETED", TOK_DELETED, 0},
    {"DOW", TOK_DOW, 0},
    {"DTOC", TOK_DTOC, 11},
    {"DTOS", TOK_DTOS, 9},
    {"IIF", TOK_IIF, 256},
    {"INT", TOK_INT, 0},
    {"LEFT", TOK_LEFT, 0},
    {"LEN", TOK_LEN, 0},
    {"LOWE", TOK_LOWER, 0},
    {"LOWER", TOK_LOWER, 0},
    {"LTRI", TOK_LTRIM, 0},
    {"LTRIM", TOK_LTRIM, 0},
    {"MAX", TOK_MAX, 0},
    {"MIN", TOK_MIN, 0},
    {"MOD", TOK_MOD, 0},
    {"MONT", TOK_MONTH, 0},
    {"MONTH", TOK_MONTH, 0},
    {"RECN", TOK_RECNO, 0},
    {"RECNO", TOK_RECNO, 0},
    {"REPL", TOK_REPLICATE, 256},
    {"REPLI", TOK_REPLICATE, 256},
    {"REPLIC", TOK_REPLICATE, 256},
    {"REPLICA", TOK_REPLICATE, 256},
    {"REPLICAT", TOK_REPLICATE, 256},
    {"REPLICATE", TOK_REPLICATE, 256},
    {"RIGH", TOK_RIGHT, 0},
    {"RIGHT", TOK_RIGHT, 0},
    {"ROUN", TOK_ROUND, 0},
    {"ROUND", TOK_ROUND, 0},
    {"RTRI", TOK_RTRIM, 0},
    {"RTRIM", TOK_RTRIM, 0},
    {"SOUN", TOK_SOUNDEX, 15},
    {"SOUND", TOK_SOUNDEX, 15},
    {"SOUNDE", TOK_SOUNDEX, 15},
    {"SOUNDEX", TOK_SOUNDEX, 15},
    {"SPAC", TOK_SPACE, 256},
    {"SPACE", TOK_SPACE, 256},
    {"STR", TOK_STR, 256},
    {"STUF", TOK_STUFF, 0},
    {"STUFF", TOK_STUFF, 0},
    {"SUBS", TOK_SUBSTR, 0},
    {"SUBST", TOK_SUBSTR, 0},
    {"SUBSTR", TOK_SUBSTR, 0},
    {"TRIM", TOK_TRIM, 0},
    {"UPPE", TOK_UPPER, 0},
    {"UPPER", TOK_UPPER, 0},
    {"VAL", TOK_VAL, 0},
    {"YEAR", TOK_YEAR, 0},
    {".F.", TOK_FALSE, 0},
    {".T.", TOK_TRUE, 0},
    {".NOT.", TOK_NOT, 0},
    {".OR.", TOK_OR, 0},
    {".AND.", TOK_AND, 0},
    {"$EOT$", TOK_UNKNOWN, 0},  // the end of the table: a name found nowhere
}};

// The function and field tokens double as opcodes; literal tokens as type codes.
constexpr bool Same(int token, int code) { return token == code; }
static_assert(Same(TOK_ABS, kOpAbs) && Same(TOK_YEAR, kOpYear) && Same(TOK_STR, kOpStr));
static_assert(Same(TOK_FIELD_C, kOpFieldC) && Same(TOK_FIELD_M, kOpFieldM));
static_assert(Same(TOK_ALIAS_C, kOpAliasC) && Same(TOK_ALIAS_M, kOpAliasM));
static_assert(Same(TOK_STRING, kTypeC) && Same(TOK_NUMBER, kTypeN));

bool IsLetter(int c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

engine::WorkArea* AreaByAlias(std::string_view alias, int* number) {
  for (int n = 1; n <= engine::kAreaCount; ++n) {
    engine::WorkArea* wa = engine::Area(n);
    if (wa && wa->alias == alias) {
      *number = n;
      return wa;
    }
  }
  return nullptr;
}

}  // namespace

Compiler::Compiler(std::string_view text) {
  std::size_t n = std::min<std::size_t>(text.size(), kTextLimit);
  std::memcpy(buffer_, text.data(), n);
  buffer_[n] = 0;
}

// Positions past the buffer and the terminator read as the end mark; reading always advances.
int Compiler::Read() {
  int c = position_ >= 0 && position_ <= kTextLimit ? static_cast<uint8_t>(buffer_[position_]) : 0;
  ++position_;
  return c == 0 ? kEndMark : c;
}

int Compiler::ReadUpper() {
  int c = Read();
  return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

void Compiler::PutBack() {
  if (position_ > 0) --position_;
}

int Compiler::Scan(Operand* value) {
  *value = Operand{};
  int c;
  do {
    c = ReadUpper();
  } while (c == ' ' || c == '\t');
  if (c == kEndMark) return 0;
  if (c == '"' || c == '\'') return ScanLiteral(c, value);
  if (IsDigit(c)) return ScanNumber(c, value);
  switch (c) {
    case '=':
      if (ReadUpper() == '=') return TOK_EXACT;
      PutBack();
      return '=';
    case '*':
      if (ReadUpper() == '*') return '^';
      PutBack();
      return '*';
    case '#': return TOK_NE;
    case '$': return TOK_CONTAINED;
    case '>':
      if (ReadUpper() == '=') return TOK_GE;
      PutBack();
      return '>';
    case '<': {
      int next = ReadUpper();
      if (next == '=') return TOK_LE;
      if (next == '>') return TOK_NE;
      PutBack();
      return '<';
    }
    default: break;
  }
  if (IsLetter(c) || c == '_' || c == '.') return ScanName(c, value);
  return c;  // a character of its own: no rule accepts it
}

int Compiler::ScanLiteral(int quote, Operand* value) {
  // Characters of all the literals of one text share the literal buffer; when it is full,
  // further characters are dropped.
  constexpr int kSize = static_cast<int>(sizeof literal_buffer_);
  const int start = literal_used_;
  for (;;) {
    int c = Read();
    if (c == kEndMark) return 0;  // no closing quote: the text ends here
    if (c == quote) break;
    if (literal_used_ < kSize - 1) literal_buffer_[literal_used_++] = static_cast<char>(c);
  }
  const int length = literal_used_ - start;
  if (literal_used_ < kSize) literal_buffer_[literal_used_++] = 0;
  pool_allowance += static_cast<uint32_t>(length) + 1;
  try {
    auto block = std::make_unique<char[]>(static_cast<std::size_t>(length) + 1);
    std::memcpy(block.get(), literal_buffer_ + start, static_cast<std::size_t>(length));
    block[length] = 0;
    literals.push_back(std::move(block));
  } catch (const std::bad_alloc&) {
    throw AllocationFailure{" [AssignExpr()]"};
  }
  value->literal = static_cast<int32_t>(literals.size() - 1);
  last_field_width = 0;
  result_decimals = kDefaultDecimals;
  return TOK_STRING;
}

int Compiler::ScanNumber(int first, Operand* value) {
  char text[kTextLimit + 1];
  std::size_t n = 0;
  text[n++] = static_cast<char>(first);
  bool point = false;
  for (;;) {
    int c = ReadUpper();
    if (IsDigit(c) || c == 'E' || (c == '.' && !point)) {
      point = point || c == '.';
      if (n < kTextLimit) text[n++] = static_cast<char>(c);  // the buffer bounds any literal
      continue;
    }
    PutBack();
    break;
  }
  value->number = ParseDecimalPrefix(std::string_view(text, n));
  last_field_width = 0;
  result_decimals = kDefaultDecimals;
  return TOK_NUMBER;
}

int Compiler::ScanName(int first, Operand* value) {
  std::string name(1, static_cast<char>(first));
  bool aliased = false;
  for (;;) {
    int c = ReadUpper();
    if (IsLetter(c) || IsDigit(c) || c == '_' || (c == '.' && !aliased)) {
      name += static_cast<char>(c);
      continue;
    }
    if (c == '-' && !aliased) {
      if (Read() == '>') {
        name += '.';
        aliased = true;
        continue;
      }
      PutBack();
    }
    PutBack();
    break;
  }
  return ResolveName(name, aliased, value);
}

int Compiler::ResolveName(const std::string& name, bool aliased, Operand* value) {
  if (name.size() > kNameLimit) {
    last_field_width = 0;
    result_decimals = kDefaultDecimals;
    return TOK_UNKNOWN;
  }
  // First as a field of the current work area, or of the work area the alias names.
  engine::WorkArea* wa = nullptr;
  int area = engine::State().current;
  std::string_view field_name = name;
  if (aliased) {
    std::size_t point = name.find('.');
    wa = AreaByAlias(std::string_view(name).substr(0, point), &area);
    field_name = std::string_view(name).substr(point + 1);
  } else {
    wa = engine::Current();
  }
  int token = 0;
  if (wa) {
    for (std::size_t i = 0; i < wa->fields.size(); ++i) {
      const engine::FieldDesc& f = wa->fields[i];
      if (!engine::SameFieldName(f.name, field_name)) continue;
      switch (f.type) {
        case 'C': token = TOK_FIELD_C; break;
        case 'N':
        case 'F': token = TOK_FIELD_N; break;
        case 'L': token = TOK_FIELD_L; break;
        case 'D': token = TOK_FIELD_D; break;
        case 'M': token = TOK_FIELD_M; break;
        default: continue;  // not a field the language knows
      }
      value->field = static_cast<int32_t>(i + 1);
      value->area = area;
      last_field_width = static_cast<uint8_t>(std::min<int>(f.TextWidth(), 255));
      if (f.type == 'C') pool_allowance += f.TextWidth() + 1u;
      if (token == TOK_FIELD_N)
        result_decimals = result_decimals == kNoDecimals ? f.decimals : kDefaultDecimals;
      break;
    }
  }
  if (token != 0) {
    // A function of the same name wins when a parenthesis follows. The field was counted when
    // it was found and its pool allowance stays: with a field TRIM, TRIM(NM) is sized as more
    // than the one field NM, and its width is 0.
    int c;
    do {
      c = ReadUpper();
    } while (c == ' ' || c == '\t');
    PutBack();
    if (c != '(') {
      if (aliased) token += TOK_ALIAS_C - TOK_FIELD_C;
      return token;
    }
  }
  // Then as a keyword.
  last_field_width = 0;
  result_decimals = kDefaultDecimals;
  for (const Keyword& k : kKeywords) {
    if (name != k.name) continue;
    pool_allowance += k.allowance;
    value->token = k.token;
    return k.token;
  }
  return TOK_UNKNOWN;
}

}  // namespace vornelle::expr
