// The evaluation machine: runs a compiled expression's postfix instructions over its work stack
// and working pool, reading fields from the typed record buffers of the work areas. The work
// stack and the pool were sized when compiling, so nothing is allocated here (memo values come
// through the memo layer, which keeps its own line list).

#include <cmath>
#include <cstring>

#include "engine/errors.h"
#include "engine/memo.h"
#include "engine/record_codec.h"
#include "engine/state.h"
#include "engine/typed_buffer.h"
#include "expr/compiled.h"
#include "expr/dates.h"
#include "expr/functions.h"
#include "platform/locale.h"

namespace vornelle::expr {

namespace {

constexpr const char kUnknownType[] =
    "Unknown data type (none of \"C\",\"N\",\"F\",\"L\",\"D\"or\"M\") ";

class Machine {
 public:
  explicit Machine(Expression& e) : e_(e) {}

  const void* Run() {
    for (const Instruction& i : e_.code) {
      if (i.opcode == kOpEnd) break;
      if (i.opcode == kOpPush)
        PushConstant(i);
      else if (i.opcode >= kOpFieldC && i.opcode <= kOpAliasM)
        FetchField(i);
      else
        Operate(i);
    }
    if ((e_.result_type == 'C' || e_.result_type == 'M') && e_.stack[0].text == kNoText)
      e_.pool[0] = 0;
    return e_.result;
  }

 private:
  // ---- Work stack and pool ----

  WorkEntry* NewEntry(int32_t type) {
    if (top_ >= e_.stack.size()) return nullptr;  // the stack was sized for the deepest point
    WorkEntry* entry = &e_.stack[top_++];
    entry->type = type;
    return entry;
  }

  void PushNumber(int32_t type, double value) {
    if (WorkEntry* entry = NewEntry(type)) entry->number = value;
  }

  void PushLogical(bool value) {
    if (WorkEntry* entry = NewEntry(kTypeL)) entry->integer = value ? 1 : 0;
  }

  // Copies `length` characters and a terminator to the pool cursor. The source may lie in the
  // pool at or above the cursor (a value just popped).
  void PushText(const char* text, std::size_t length, int32_t type = kTypeC) {
    WorkEntry* entry = NewEntry(type);
    if (!entry) return;
    if (cursor_ + length + 1 > e_.pool_size) {
      entry->text = kNoText;
      engine::Report(354, "Working pool overflow [PARSER/Allocate]");
      return;
    }
    char* at = e_.pool.get() + cursor_;
    std::memmove(at, text, length);
    at[length] = 0;
    entry->text = static_cast<int32_t>(cursor_);
    cursor_ += length + 1;
  }

  void PushConstant(const Instruction& i) {
    switch (i.type) {
      case kTypeC: PushText(i.text, static_cast<std::size_t>(i.length)); break;
      case kTypeN:
      case kTypeD: PushNumber(i.type, i.number); break;
      case kTypeL:
        if (WorkEntry* entry = NewEntry(kTypeL)) entry->integer = i.integer;
        break;
      default: engine::Report(356, std::string(kUnknownType) + "[PARSER/PushWD]"); break;
    }
  }

  const WorkEntry& Pop() {
    static const WorkEntry kNothing{kTypeN, 0, 0, kNoText};
    if (top_ == 0) return kNothing;
    const WorkEntry& entry = e_.stack[--top_];
    if (entry.type == kTypeC) {
      if (entry.text != kNoText) cursor_ = static_cast<std::size_t>(entry.text);
    } else if (entry.type != kTypeN && entry.type != kTypeL && entry.type != kTypeD) {
      engine::Report(356, std::string(kUnknownType) + "[PARSER/PopWD]");
    }
    return entry;
  }

  double PopNumber() {
    const WorkEntry& entry = Pop();
    return entry.type == kTypeL ? entry.integer : entry.number;
  }

  bool PopLogical() {
    const WorkEntry& entry = Pop();
    return entry.type == kTypeL ? entry.integer != 0 : entry.number != 0;
  }

  // The popped text stays readable until the next push.
  const char* PopText() {
    const WorkEntry& entry = Pop();
    return TextOf(entry);
  }

  const char* TextOf(const WorkEntry& entry) const {
    if (entry.type != kTypeC || entry.text == kNoText) return "";
    return e_.pool.get() + entry.text;
  }

  // The string on top of the stack, for the functions that change it where it lies; null when
  // it has no text.
  char* TopText() {
    if (top_ == 0) return nullptr;
    const WorkEntry& entry = e_.stack[top_ - 1];
    if (entry.type != kTypeC || entry.text == kNoText) return nullptr;
    return e_.pool.get() + entry.text;
  }

  // ---- Fields ----

  void FetchField(const Instruction& i) {
    const bool aliased = i.opcode >= kOpAliasC;
    const int32_t kind = aliased ? i.opcode - (kOpAliasC - kOpFieldC) : i.opcode;
    const int area = aliased ? static_cast<int>(PopNumber()) : engine::State().current;
    const int32_t number = static_cast<int32_t>(PopNumber());
    const engine::WorkArea* wa = engine::Area(area);
    const engine::FieldDesc* f = nullptr;
    // The field found when compiling; a work area reopened since with another table gives blanks.
    if (wa && number >= 1 && static_cast<std::size_t>(number) <= wa->fields.size()) {
      f = &wa->fields[static_cast<std::size_t>(number - 1)];
      if (FieldOpcode(f->type) != kind) f = nullptr;
    }
    const bool blank = !f || !wa->typed || wa->recno == 0;
    const char* at = blank ? nullptr : wa->typed + f->typed_offset;
    switch (kind) {
      case kOpFieldC:
        if (blank)
          PushBlanks(f ? f->TextWidth() : 0);
        else
          // A varchar is as long as its value; a text enters the language cut to its longest.
          PushText(at + 1, std::min<std::size_t>(f->storage == engine::Storage::kVarBytes ? static_cast<uint8_t>(at[0])
                                                                                         : f->TextWidth(),
                                                 kMaxText));
        break;
      case kOpFieldN:
        PushNumber(kTypeN, blank ? 0 : f->TypedDouble() ? engine::LoadDouble(at) : engine::LoadInt32(at));
        break;
      case kOpFieldL: PushLogical(!blank && at[0] != 0); break;
      case kOpFieldD: PushNumber(kTypeD, blank ? kBlankDate : DateOf(at)); break;
      default: PushMemo(area, blank ? 0 : engine::LoadInt32(at)); break;
    }
  }

  static int32_t FieldOpcode(char type) {
    switch (type) {
      case 'C': return kOpFieldC;
      case 'N':
      case 'F': return kOpFieldN;
      case 'L': return kOpFieldL;
      case 'D': return kOpFieldD;
      case 'M': return kOpFieldM;
      default: return 0;
    }
  }

  // A date of the typed record buffer: the counted display text in the engine's date order.
  static double DateOf(const char* counted) {
    const engine::EngineSwitches& sw = engine::State().switches;
    std::size_t length = std::min<std::size_t>(static_cast<uint8_t>(counted[0]), 10);
    std::string ymd = engine::StoredDate(std::string_view(counted + 1, length), sw.date_order,
                                         platform::Today().year);
    return DayNumberFromYmd(ymd);
  }

  void PushBlanks(std::size_t count) {
    char blanks[kMaxText + 1];
    count = std::min<std::size_t>(count, kMaxText);
    std::memset(blanks, ' ', count);
    PushText(blanks, count);
  }

  // A memo value: its lines, without separators, read into the pool up to one byte before its
  // end, with the field's work area current meanwhile.
  void PushMemo(int area, int32_t block) {
    const std::size_t start = cursor_;
    WorkEntry* entry = NewEntry(kTypeM);
    if (!entry) return;
    if (start >= e_.pool_size) {
      entry->text = kNoText;
      return;
    }
    char* pool = e_.pool.get();
    const std::size_t limit = e_.pool_size - 1;  // characters that fit before the terminator
    std::size_t used = start;
    pool[used] = 0;
    entry->text = static_cast<int32_t>(start);
    if (block != 0 && engine::State().memo.installed) {
      engine::CurrentAreaScope scope(area);
      engine::MemoTextReader reader;
      if (reader.Open(&block) == 0) {
        std::string& line = e_.memo_line;
        while (used < limit && reader.ReadLine(line)) {
          std::size_t n = std::min(line.size(), limit - used);
          std::memcpy(pool + used, line.data(), n);
          used += n;
        }
        reader.Close();
      }
    }
    pool[used] = 0;
    cursor_ = used + 1;
  }

  // ---- Operations ----

  void Operate(const Instruction& i);

  Expression& e_;
  std::size_t top_ = 0;     // entries in use
  std::size_t cursor_ = 0;  // next free byte of the pool
};

// Operators and functions: pop the operands (right first), compute, push the result.
void Machine::Operate(const Instruction& i) {
  char out[kMaxText + 1];
  switch (i.opcode) {
    // Arithmetic.
    case kOpAddNN:
    case kOpAddND:
    case kOpAddDN: {
      double b = PopNumber(), a = PopNumber();
      PushNumber(i.opcode == kOpAddNN ? kTypeN : kTypeD, a + b);
      break;
    }
    case kOpSubNN:
    case kOpSubDN:
    case kOpSubDD: {
      double b = PopNumber(), a = PopNumber();
      PushNumber(i.opcode == kOpSubDN ? kTypeD : kTypeN, a - b);
      break;
    }
    case kOpMul: {
      double b = PopNumber(), a = PopNumber();
      PushNumber(kTypeN, a * b);
      break;
    }
    case kOpDiv: {
      double b = PopNumber(), a = PopNumber();
      if (b == 0) {
        engine::Report(358, "Error during evaluation: Divide by 0 [Evaluate/Engine]");
        PushNumber(kTypeN, 1e250);
      } else {
        PushNumber(kTypeN, a / b);
      }
      break;
    }
    case kOpPow: {
      double b = PopNumber(), a = PopNumber();
      PushNumber(kTypeN, Power(a, b));
      break;
    }
    case kOpNegate: PushNumber(kTypeN, -PopNumber()); break;
    // Strings.
    case kOpAddCC:
    case kOpSubCC: {
      const char* b = PopText();
      const char* a = PopText();
      std::size_t n = i.opcode == kOpAddCC ? Concatenate(a, b, out) : ConcatenateTrimmed(a, b, out);
      PushText(out, n);
      break;
    }
    // Comparisons.
    case kOpEqN:
    case kOpEqD:
    case kOpNeN:
    case kOpNeD:
    case kOpGtN:
    case kOpGtD:
    case kOpLtN:
    case kOpLtD:
    case kOpLeN:
    case kOpLeD:
    case kOpGeN:
    case kOpGeD: {
      double b = PopNumber(), a = PopNumber();
      bool r = false;
      switch (i.opcode) {
        case kOpEqN:
        case kOpEqD: r = a == b; break;
        case kOpNeN:
        case kOpNeD: r = a != b; break;
        case kOpGtN:
        case kOpGtD: r = a > b; break;
        case kOpLtN:
        case kOpLtD: r = a < b; break;
        case kOpLeN:
        case kOpLeD: r = a <= b; break;
        default: r = a >= b; break;
      }
      PushLogical(r);
      break;
    }
    case kOpEqC:
    case kOpExact:
    case kOpContained:
    case kOpNeC:
    case kOpGtC:
    case kOpLtC:
    case kOpLeC:
    case kOpGeC: {
      const char* b = PopText();
      const char* a = PopText();
      bool r = false;
      switch (i.opcode) {
        case kOpEqC: r = StartsWith(a, b); break;
        case kOpExact: r = std::strcmp(a, b) == 0; break;
        case kOpContained: r = a[0] != 0 && std::strstr(b, a) != nullptr; break;
        case kOpNeC: r = std::strcmp(a, b) != 0; break;
        case kOpGtC: r = std::strcmp(a, b) > 0; break;
        case kOpLtC: r = std::strcmp(a, b) < 0; break;
        case kOpLeC: r = std::strcmp(a, b) <= 0; break;
        default: r = std::strcmp(a, b) >= 0; break;
      }
      PushLogical(r);
      break;
    }
    case kOpEqL:
    case kOpNeL: {
      bool b = PopLogical(), a = PopLogical();
      PushLogical(i.opcode == kOpEqL ? a == b : a != b);
      break;
    }
    // Logical operators: both operands are always evaluated.
    case kOpOr: {
      bool b = PopLogical(), a = PopLogical();
      PushLogical(a || b);
      break;
    }
    case kOpAnd: {
      bool b = PopLogical(), a = PopLogical();
      PushLogical(a && b);
      break;
    }
    case kOpNot: PushLogical(!PopLogical()); break;

    // Numeric functions.
    case kOpAbs: PushNumber(kTypeN, std::fabs(PopNumber())); break;
    case kOpInt: PushNumber(kTypeN, std::trunc(PopNumber())); break;
    case kOpMod: {
      double b = PopNumber(), a = PopNumber();
      PushNumber(kTypeN, Modulo(a, b));
      break;
    }
    case kOpRound: {
      double d = PopNumber(), n = PopNumber();
      PushNumber(kTypeN, CutDecimals(n, d));
      break;
    }
    case kOpMax:
    case kOpMin: {
      const WorkEntry& right = Pop();
      const int32_t type = right.type;
      double b = right.number, a = PopNumber();
      // On a tie the second argument.
      PushNumber(type, i.opcode == kOpMax ? (a > b ? a : b) : (a < b ? a : b));
      break;
    }
    case kOpRecno: {
      const engine::WorkArea* wa = engine::Current();
      PushNumber(kTypeN, wa ? wa->recno : 0);
      break;
    }
    case kOpDeleted: {
      const engine::WorkArea* wa = engine::Current();
      PushLogical(wa && wa->typed && wa->typed[0] != 0);
      break;
    }
    // Date functions.
    case kOpDate: PushNumber(kTypeD, TodayDayNumber()); break;
    case kOpCtod: PushNumber(kTypeD, Ctod(PopText())); break;
    case kOpDay:
    case kOpMonth:
    case kOpYear: {
      CivilDate d;
      CivilFromDay(PopNumber(), &d);
      int value = i.opcode == kOpDay ? d.day : i.opcode == kOpMonth ? d.month : d.year;
      if (i.opcode == kOpYear && !engine::State().switches.century) value %= 100;
      PushNumber(kTypeN, value);
      break;
    }
    case kOpDow: PushNumber(kTypeN, DayOfWeek(PopNumber())); break;
    case kOpCdow:
    case kOpCmonth:
    case kOpDtoc: {
      const engine::EngineSwitches& sw = engine::State().switches;
      double day = PopNumber();
      std::size_t n = i.opcode == kOpCdow     ? detail::FormatCdow(day, sw.date_order, out)
                      : i.opcode == kOpCmonth ? detail::FormatCmonth(day, sw.date_order, out)
                                              : detail::FormatDtoc(day, sw.date_order, sw.century, out);
      PushText(out, n);
      break;
    }
    case kOpDtos: {
      std::string ymd = YmdFromDayNumber(PopNumber());
      PushText(ymd.data(), ymd.size());
      break;
    }
    // String functions that change the string where it lies.
    case kOpLeft:
    case kOpRight: {
      double count = PopNumber();
      if (char* s = TopText()) (i.opcode == kOpLeft ? KeepLeft : KeepRight)(s, count);
      break;
    }
    case kOpLower:
    case kOpUpper:
    case kOpLtrim:
    case kOpRtrim:
    case kOpTrim:
      if (char* s = TopText()) {
        if (i.opcode == kOpLower)
          Lower(s);
        else if (i.opcode == kOpUpper)
          Upper(s);
        else if (i.opcode == kOpLtrim)
          TrimLeft(s);
        else
          TrimRight(s);
      }
      break;
    // Other string functions.
    case kOpAsc: PushNumber(kTypeN, static_cast<uint8_t>(PopText()[0])); break;
    case kOpLen: PushNumber(kTypeN, static_cast<double>(std::strlen(PopText()))); break;
    case kOpVal: PushNumber(kTypeN, Val(PopText())); break;
    case kOpAt: {
      const char* b = PopText();
      const char* a = PopText();
      PushNumber(kTypeN, Position(a, b));
      break;
    }
    case kOpChr: {
      out[0] = static_cast<char>(IntegerPart(PopNumber()) & 0xFF);
      PushText(out, 1);
      break;
    }
    case kOpSpace: {
      std::size_t n = Repeat(" ", PopNumber(), out);
      PushText(out, n);
      break;
    }
    case kOpReplicate: {
      double count = PopNumber();
      std::size_t n = Repeat(PopText(), count, out);
      PushText(out, n);
      break;
    }
    case kOpSoundex: {
      std::size_t n = Soundex(PopText(), out);
      PushText(out, n);
      break;
    }
    case kOpIif: {
      const char* b = PopText();
      const char* a = PopText();
      const char* chosen = PopLogical() ? a : b;
      PushText(chosen, std::strlen(chosen));  // the chosen text lies at or above the cursor
      break;
    }
    case kOpSubstr: {
      double count = PopNumber(), start = PopNumber();
      std::size_t n = Substring(PopText(), start, count, out);
      PushText(out, n);
      break;
    }
    case kOpStuff: {
      const char* insert = PopText();
      double count = PopNumber(), start = PopNumber();
      std::size_t n = Stuff(PopText(), start, count, insert, out);
      PushText(out, n);
      break;
    }
    case kOpStr: {
      double decimals = i.argc >= 3 ? PopNumber() : 0;
      double width = i.argc >= 2 ? PopNumber() : 10;
      std::size_t n = FormatStr(PopNumber(), width, decimals, out);
      PushText(out, n);
      break;
    }
    default: break;  // the compiler appends no other code
  }
}

}  // namespace

const void* Run(Expression& expression) { return Machine(expression).Run(); }

}  // namespace vornelle::expr
