// libFuzzer target of the expression language: each input is compiled as an expression against
// a small table with fields of every type, evaluated on every record (and on the position after
// the last one), then, when it is logical, set as the table's filter and used to move through
// the table both ways. Errors are raised as engine exceptions and caught; the same text then
// goes through the filter check, which collects its errors instead.

#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "engine/record_codec.h"
#include "expr/expr.h"

namespace {

using namespace vornelle;

std::string g_folder;

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(g_folder, ignored);
}

void Put(int field, const void* value, std::size_t size) {
  std::memcpy(engine::FieldAddress(field), value, size);
}

void PutText(int field, const std::string& text, uint8_t width) {
  char* at = engine::FieldAddress(field);
  at[0] = static_cast<char>(width);
  std::memset(at + 1, ' ', width);
  std::memcpy(at + 1, text.data(), std::min<std::size_t>(text.size(), width));
}

struct Row {
  const char* name;
  double amount;
  int32_t count;
  const char* born;  // YYYYMMDD, or blanks
  bool ok;
  const char* notes;
  double rate;
  bool deleted;
};

constexpr Row kRows[] = {
    {"0101", 12.5, 42, "20240307", true, "First line\r\nsecond line", 1.25, false},
    {"Zoe", -0.25, -7, "        ", false, "", 0, false},
    {"\xE9t\xE9", 1e9, 2147483647, "19000228", true, "x", -3.5, true},
    {"", 0, 0, "99991231", false, "A much longer memo text that goes on and on", 0.001, false},
};

void CreateTables() {
  char folder[] = "/tmp/expr_fuzz_XXXXXX";
  if (!mkdtemp(folder)) abort();
  g_folder = folder;
  atexit(RemoveFolder);

  const std::string people = g_folder + "/people.dbf";
  engine::CreateDbf(people, {{"NAME", 'C', 10, 0},
                             {"AMOUNT", 'N', 12, 2},
                             {"COUNT", 'N', 10, 0},
                             {"BORN", 'D', 8, 0},
                             {"OK", 'L', 1, 0},
                             {"NOTES", 'M', 10, 0},
                             {"RATE", 'F', 8, 3}});
  engine::Select(1);
  engine::USE(people + " ALIAS P");
  for (const Row& row : kRows) {
    engine::ClearRecord();
    PutText(1, row.name, 10);
    Put(2, &row.amount, sizeof row.amount);
    Put(3, &row.count, sizeof row.count);
    const engine::EngineSwitches& sw = engine::Switches();
    std::string shown = engine::DisplayDate(row.born, sw.date_order, sw.century);
    PutText(4, shown, static_cast<uint8_t>(shown.size()));
    *engine::FieldAddress(5) = row.ok ? 1 : 0;
    int32_t block = *row.notes ? engine::WriteMemoValue(row.notes, false) : 0;
    Put(6, &block, sizeof block);
    Put(7, &row.rate, sizeof row.rate);
    *engine::FieldAddress(0) = row.deleted ? 1 : 0;
    engine::ALock();
    engine::Append();
  }
  engine::Unlock();

  // A second work area for alias-qualified names, and an empty third one.
  const std::string codes = g_folder + "/codes.dbf";
  engine::CreateDbf(codes, {{"CODE", 'C', 3, 0}, {"DAY", 'D', 8, 0}});
  engine::Select(2);
  engine::USE(codes + " ALIAS C");
  engine::ClearRecord();
  PutText(1, "abc", 3);
  engine::ALock();
  engine::Append();
  engine::Unlock();
  const std::string empty = g_folder + "/empty.dbf";
  engine::CreateDbf(empty, {{"E", 'C', 5, 0}, {"M", 'M', 10, 0}});
  engine::Select(3);
  engine::USE(empty + " ALIAS E");
  engine::Select(1);
}

bool Initialise() {
  engine::ResetEngine();
  expr::InstallExpressionUnit();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);
  CreateTables();
  return true;
}

// Reads the value by its type, so that a value without its terminator or out of the pool shows.
std::size_t Consume(const expr::Expression& e) {
  switch (expr::ResultType(e)) {
    case 'C':
    case 'M': return std::strlen(expr::ResultText(e));
    case 'L': return expr::ResultLogical(e) ? 1 : 0;
    default: return expr::ResultNumber(e) > 0 ? 1 : 0;
  }
}

void EvaluateEverywhere(expr::Expression* e) {
  const int32_t count = engine::RecCount();
  for (int32_t n = 1; n <= count + 1; ++n) {
    try {
      if (n <= count) {
        engine::Go(n);
      } else {
        engine::GoBottom();
        engine::Skip(1);
      }
      expr::Evaluate(e);
      Consume(*e);
    } catch (const engine::ETavrinError&) {
    }
  }
}

void MoveWithFilter(const std::string& text) {
  try {
    engine::Set_Filter_To(text);
    engine::GoTop();
    for (int steps = 0; !engine::dEOF() && steps < 10; ++steps) engine::Skip(1);
    engine::GoBottom();
    for (int steps = 0; !engine::dEOF() && !engine::dBOF() && steps < 10; ++steps) engine::Skip(-1);
  } catch (const engine::ETavrinError&) {
  }
  engine::Set_Filter_To("");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool ready = Initialise();
  (void)ready;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The input's size picks the date settings, which change how dates read and print.
  engine::Switches().date_order = static_cast<uint8_t>(size % 9);
  engine::Switches().century = (size / 9) % 2 == 1;
  engine::SetAutoCheck(true);
  engine::SetRaise(true);
  engine::Select(1 + static_cast<int>(size % 7 == 0) * 2);  // now and then the empty table
  try {
    expr::ExpressionPtr e(expr::Compile(text));
    if (e) {
      EvaluateEverywhere(e.get());
      if (expr::ResultType(*e) == 'L') MoveWithFilter(text);
    }
  } catch (const engine::ETavrinError&) {
  }
  expr::CheckExpression(text);
  engine::Select(1);
  return 0;
}
