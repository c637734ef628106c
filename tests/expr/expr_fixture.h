#pragma once
// The expression tests' fixture: a fresh engine with the expression unit installed, helpers
// that compile and evaluate a text, and a small table with a field of every type.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/record_codec.h"
#include "expr/compiled.h"
#include "expr/expr.h"
#include "tests/support/test_support.h"

namespace vornelle::expr {

class ExprTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    InstallExpressionUnit();
    engine::Switches().century = false;
    engine::Switches().date_order = 0;
  }

  ExpressionPtr MustCompile(std::string_view text) {
    ExpressionPtr e(Compile(text));
    EXPECT_TRUE(e) << text;
    return e;
  }
  Value Eval(std::string_view text) {
    Value v;
    EXPECT_TRUE(EvaluateText(text, &v)) << text;
    return v;
  }
  std::string Text(std::string_view text) { return Eval(text).text; }
  double Number(std::string_view text) { return Eval(text).number; }
  bool Logical(std::string_view text) {
    Value v = Eval(text);
    EXPECT_EQ(v.type, 'L') << text;
    return v.logical;
  }
  // The context of the error that compiling `text` raises.
  std::string CompileError(std::string_view text) {
    return testing::ContextOf(testing::RaisedMessage([&] { ExpressionPtr e(Compile(text)); }));
  }
  // Just the message part of a compile error: between "Error in expression : " and CR LF.
  std::string CompileMessage(std::string_view text) {
    std::string context = CompileError(text);
    const std::string lead = "Error in expression : ";
    if (context.rfind(lead, 0) != 0) return context;
    return context.substr(lead.size(), context.find("\r\n") - lead.size());
  }

  // A table of people: NAME C10, AMOUNT N8.2, COUNT N5, BORN D, OK L, NOTES M.
  struct Person {
    Person(std::string name_, double amount_ = 0, int32_t count_ = 0, std::string born_ = "",
           bool ok_ = false, std::string notes_ = "")
        : name(std::move(name_)), amount(amount_), count(count_), born(std::move(born_)), ok(ok_),
          notes(std::move(notes_)) {}
    std::string name;
    double amount;
    int32_t count;
    std::string born;  // YYYYMMDD or empty
    bool ok;
    std::string notes;
  };
  std::string PeopleTable(const std::vector<Person>& people, const std::string& file = "people") {
    std::string path = dir_.File(file + ".dbf");
    engine::CreateDbf(path, {{"NAME", 'C', 10, 0},
                             {"AMOUNT", 'N', 8, 2},
                             {"COUNT", 'N', 5, 0},
                             {"BORN", 'D', 8, 0},
                             {"OK", 'L', 1, 0},
                             {"NOTES", 'M', 10, 0}});
    engine::USE(path);
    for (const Person& p : people) {
      engine::ClearRecord();
      char* name = engine::FieldAddress(1);
      name[0] = 10;
      std::memset(name + 1, ' ', 10);
      std::memcpy(name + 1, p.name.data(), std::min<std::size_t>(p.name.size(), 10));
      std::memcpy(engine::FieldAddress(2), &p.amount, sizeof p.amount);
      std::memcpy(engine::FieldAddress(3), &p.count, sizeof p.count);
      const auto& sw = engine::Switches();
      std::string shown = engine::DisplayDate(p.born.empty() ? std::string(8, ' ') : p.born,
                                              sw.date_order, sw.century);
      char* born = engine::FieldAddress(4);
      born[0] = static_cast<char>(shown.size());
      std::memcpy(born + 1, shown.data(), shown.size());
      *engine::FieldAddress(5) = p.ok ? 1 : 0;
      int32_t block = p.notes.empty() ? 0 : engine::WriteMemoValue(p.notes, false);
      std::memcpy(engine::FieldAddress(6), &block, sizeof block);
      engine::ALock();
      engine::Append();
    }
    engine::Unlock();
    engine::GoTop();
    return path;
  }
};

}  // namespace vornelle::expr
