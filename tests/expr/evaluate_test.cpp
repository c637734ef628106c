// Evaluating: the operators and the function library, with their edge values.

#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "tests/expr/expr_fixture.h"

// Counts the allocations of this test program, so that evaluation can be shown to make none.
namespace {
long g_allocations = 0;
}  // namespace

// The replacements pair malloc with free; GCC cannot see that they belong together.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vornelle::expr {
namespace {

using Evaluating = ExprTest;

TEST_F(Evaluating, StringComparisonsUseTheStoredText) {
  PeopleTable({{"ABC"}});
  EXPECT_TRUE(Logical("NAME = \"ABC\""));
  EXPECT_FALSE(Logical("\"ABC\" = NAME"));
  EXPECT_FALSE(Logical("NAME == \"ABC\""));
  EXPECT_TRUE(Logical("NAME <> \"ABC\""));  // the opposite of ==, not of =
  EXPECT_TRUE(Logical("NAME == \"ABC       \""));
  EXPECT_FALSE(Logical("\"\" = \"\""));  // an empty right side is never a prefix
  EXPECT_FALSE(Logical("\"abc\" = \"\""));
  EXPECT_TRUE(Logical("\"ab\" = \"ab\""));
  EXPECT_FALSE(Logical("\"ab\" = \"abc\""));
}

TEST_F(Evaluating, StringOrderingIsBytewise) {
  EXPECT_TRUE(Logical("\"ab\" < \"abc\""));   // a proper prefix sorts first
  EXPECT_TRUE(Logical("\"B\" < \"a\""));      // case-sensitive
  EXPECT_TRUE(Logical("\"\xE9\" > \"z\""));  // bytes above 127 sort last
  EXPECT_TRUE(Logical("\"abc\" >= \"abc\" .AND. \"b\" > \"abc\""));
}

TEST_F(Evaluating, ContainedNeedsANonEmptyLeftSide) {
  EXPECT_TRUE(Logical("\"bc\" $ \"abcd\""));
  EXPECT_FALSE(Logical("\"cb\" $ \"abcd\""));
  EXPECT_FALSE(Logical("\"\" $ \"abcd\""));
  EXPECT_FALSE(Logical("\"abcde\" $ \"abcd\""));
}

TEST_F(Evaluating, ConcatenationAndTrimmedConcatenation) {
  EXPECT_EQ(Text("\"ab  \" + \"cd\""), "ab  cd");
  EXPECT_EQ(Text("\"ab  \" - \"cd\""), "abcd  ");
  EXPECT_EQ(Text("\"  \" - \"cd\""), "cd  ");
  // Past 255 characters the value is cut.
  std::string joined = Text("REPLICATE(\"a\", 200) + REPLICATE(\"b\", 200)");
  EXPECT_EQ(joined, std::string(200, 'a') + std::string(55, 'b'));
  std::string trimmed = Text("REPLICATE(\"a\", 250) + \"     \" - REPLICATE(\"b\", 10)");
  EXPECT_EQ(trimmed.size(), 255u);
  EXPECT_EQ(trimmed.substr(250), "bbbbb");
}

TEST_F(Evaluating, PowersAreExactForWholeExponents) {
  EXPECT_EQ(Number("3 ^ 2"), 9);
  EXPECT_EQ(Number("10 ** 2"), 100);
  EXPECT_EQ(Number("(-2) ^ 3"), -8);
  EXPECT_EQ(Number("4 ^ 0.5"), 2);
}

TEST_F(Evaluating, DivideByZeroReportsAndGoesOn) {
  EXPECT_EQ(testing::ContextOf(testing::RaisedMessage([] {
              ExpressionPtr e(Compile("7 / 0"));
              Evaluate(e.get());
            })),
            "Error during evaluation: Divide by 0 [Evaluate/Engine]");
  engine::SetAutoCheck(false);
  ExpressionPtr e(Compile("7 / 0 + 1"));
  Evaluate(e.get());
  EXPECT_EQ(ResultNumber(*e), 1e250);
  EXPECT_EQ(engine::LastError(), 358);
}

TEST_F(Evaluating, LogicalOperatorsEvaluateBothSides) {
  EXPECT_TRUE(Logical(".T. = .t. .AND. .T. <> .F. .AND. .NOT. .F."));
  // The division reports although the left side decides.
  EXPECT_NE(testing::RaisedMessage([] {
              ExpressionPtr e(Compile(".F. .AND. 1 / 0 > 1"));
              Evaluate(e.get());
            }),
            "");
}

TEST_F(Evaluating, NumericFunctions) {
  EXPECT_EQ(Number("INT(-3.9)"), -3);
  EXPECT_EQ(Number("MOD(-7, 3)"), -1);
  EXPECT_EQ(Number("MOD(7, -3)"), 1);
  EXPECT_EQ(Number("MOD(7.9, 3.9)"), 1);
  EXPECT_EQ(Number("MOD(7, 0)"), 7);
  EXPECT_EQ(Number("ROUND(2.567, 2)"), 2.56);
  EXPECT_EQ(Number("ROUND(-2.567, 1)"), -2.5);
  EXPECT_EQ(Number("ROUND(2.3, 1)"), 2.3) << "a decimal fraction is cut as written";
  EXPECT_EQ(Number("ROUND(1.005, 2)"), 1.0);
  EXPECT_EQ(Number("ROUND(2.567, -1)"), 2);
  EXPECT_EQ(Number("VAL(\"  12.5  \")"), 12.5);
  EXPECT_EQ(Number("VAL(\"-1.5E2\")"), -150);
  EXPECT_EQ(Number("VAL(\"   \")"), 0);
  EXPECT_EQ(Number("VAL(\"12abc\")"), 12);
  EXPECT_EQ(Number("VAL(\".5\")"), 0.5);
  EXPECT_TRUE(std::isinf(Number("VAL(\"1E999\")")));
  EXPECT_EQ(Number("VAL(\"1E-999\")"), 0);
}

TEST_F(Evaluating, StrFormatsFixedPoint) {
  EXPECT_EQ(Text("STR(42)"), "        42");
  EXPECT_EQ(Text("STR(3.14159, 6, 2)"), "  3.14");
  EXPECT_EQ(Text("STR(123456789012, 10)"), "**********");
  EXPECT_EQ(Text("STR(-1.5, 5, 1)"), " -1.5");
  EXPECT_EQ(Text("STR(-0.004, 5, 2)"), " 0.00");
  EXPECT_EQ(Text("STR(1, 0)"), "");
  EXPECT_EQ(Text("STR(1, 3, 5)"), "***");
  EXPECT_EQ(Text("STR(VAL(\"1E999\"), 4)"), "****") << "an infinity does not fit";
  std::string wide = Text("STR(7, 300)");
  EXPECT_EQ(wide.size(), 255u);
  EXPECT_EQ(wide.back(), '7');
}

TEST_F(Evaluating, StrRoundsTiesAwayFromZero) {
  EXPECT_EQ(Text("STR(2.5)"), "         3");
  EXPECT_EQ(Text("STR(-2.5)"), "        -3");
  EXPECT_EQ(Text("STR(0.125, 5, 2)"), " 0.13");
  EXPECT_EQ(Text("STR(-0.125, 5, 2)"), "-0.13");
  // A tie as the number is written, though the double is a little below it.
  EXPECT_EQ(Text("STR(2.675, 5, 2)"), " 2.68");
  EXPECT_EQ(Text("STR(1.005, 4, 2)"), "1.01");
  EXPECT_EQ(Text("STR(2.6749, 5, 2)"), " 2.67");
  EXPECT_EQ(Text("STR(9.995, 5, 2)"), "10.00");
  EXPECT_EQ(Text("STR(99.5, 2)"), "**") << "the carry makes it too wide";
  EXPECT_EQ(Text("STR(-0.005, 5, 2)"), "-0.01");
  // Places beyond the shortest decimal of the double are zeros, not its binary tail.
  EXPECT_EQ(Text("STR(0.1, 22, 20)"), "0.10000000000000000000");
  // ROUND still cuts.
  EXPECT_EQ(Text("STR(ROUND(0.125, 2), 5, 2)"), " 0.12");
}

TEST_F(Evaluating, SubstringFunctions) {
  EXPECT_EQ(Text("LEFT(\"hello\", 2)"), "he");
  EXPECT_EQ(Text("LEFT(\"hello\", 9)"), "hello");
  EXPECT_EQ(Text("LEFT(\"hello\", 0)"), "");
  EXPECT_EQ(Text("LEFT(\"hello\", -1)"), "");
  EXPECT_EQ(Text("RIGHT(\"hello\", 3)"), "llo");
  EXPECT_EQ(Text("RIGHT(\"hello\", 0)"), "");
  EXPECT_EQ(Text("SUBSTR(\"hello\", 2, 3)"), "ell");
  EXPECT_EQ(Text("SUBSTR(\"hello\", 4, 10)"), "lo");
  EXPECT_EQ(Text("SUBSTR(\"hello\", 6, 1)"), "");
  EXPECT_EQ(Text("SUBSTR(\"hello\", 0, 2)"), "");
  EXPECT_EQ(Text("STUFF(\"abcdef\", 2, 3, \"XY\")"), "aXYef");
  EXPECT_EQ(Text("STUFF(\"abc\", 4, 0, \"d\")"), "abcd");
  EXPECT_EQ(Text("STUFF(\"abc\", 9, 5, \"d\")"), "abcd");
  EXPECT_EQ(Text("STUFF(\"abc\", -2, 1, \"z\")"), "zbc");
  EXPECT_EQ(Number("AT(\"lo\", \"hello lo\")"), 4);
  EXPECT_EQ(Number("AT(\"\", \"hello\")"), 0);
  // In-place functions leave the pool cursor: what follows still lands after them.
  EXPECT_EQ(Text("LEFT(\"hello\", 2) + RIGHT(\"world\", 2) + \"!\""), "held!");
}

TEST_F(Evaluating, CaseTrimAndCharacterFunctions) {
  EXPECT_EQ(Text("UPPER(\"abc\xE9\")"), "ABC\xC9");
  EXPECT_EQ(Text("LOWER(\"ABC\xC9\")"), "abc\xE9");
  EXPECT_EQ(Text("LTRIM(\"  a b  \") + \"|\""), "a b  |");
  EXPECT_EQ(Text("RTRIM(\"  a b  \") + \"|\""), "  a b|");
  EXPECT_EQ(Text("TRIM(\"  \") + \"|\""), "|");
  EXPECT_EQ(Number("ASC(\"A\")"), 65);
  EXPECT_EQ(Number("ASC(\"\")"), 0);
  EXPECT_EQ(Number("ASC(CHR(200))"), 200);
  EXPECT_EQ(Text("CHR(65 + 256)"), "A");
  EXPECT_EQ(Text("CHR(-191)"), "A");
  EXPECT_EQ(Text("CHR(0) + \"x\""), "x");
  EXPECT_EQ(Text("SPACE(-3) + \"|\""), "|");
  EXPECT_EQ(Text("SPACE(1000)").size(), 255u);
  EXPECT_EQ(Text("REPLICATE(\"ab\", 0)"), "");
  EXPECT_EQ(Text("REPLICATE(\"\", 1E300)"), "");
  EXPECT_EQ(Text("REPLICATE(\"abc\", 100)").size(), 255u);
  EXPECT_EQ(Text("IIF(1 > 2, \"yes\", \"no\") + \"!\""), "no!");
}

TEST_F(Evaluating, Soundex) {
  EXPECT_EQ(Text("SOUNDEX(\"Lee\")"), "L000");
  EXPECT_EQ(Text("SOUNDEX(\"Pfister\")"), "P236");
  EXPECT_EQ(Text("SOUNDEX(\"Ashcraft\")"), "A226");
  EXPECT_EQ(Text("SOUNDEX(\"robert\")"), "R163");
  EXPECT_EQ(Text("SOUNDEX(\"Tymczak\")"), "T522");
  EXPECT_EQ(Text("SOUNDEX(\"1abc\")"), "1120");
  EXPECT_EQ(Text("SOUNDEX(\"\")"), "0000");
  EXPECT_EQ(Text("SOUNDEX(\"B-b b\")"), "B000");
  // Only the first 100 characters count.
  EXPECT_EQ(Text("SOUNDEX(\"A\" + REPLICATE(\"a\", 99) + \"BCD\")"), "A000");
}

TEST_F(Evaluating, RepeatedEvaluationReusesTheExpression) {
  PeopleTable({{"Ann", 1}, {"Bob", 2}, {"Cy", 3}});
  ExpressionPtr e = MustCompile("TRIM(NAME) + STR(AMOUNT, 5, 1)");
  const void* first = Evaluate(e.get());
  EXPECT_STREQ(ResultText(*e), "Ann  1.0");
  engine::Skip(1);
  EXPECT_EQ(Evaluate(e.get()), first);
  EXPECT_STREQ(ResultText(*e), "Bob  2.0");
  engine::Skip(1);
  Evaluate(e.get());
  EXPECT_STREQ(ResultText(*e), "Cy  3.0");
}

TEST_F(Evaluating, EvaluationAllocatesNothing) {
  PeopleTable({{"Ann", 1, 2, "20240307", true}, {"Bob", 2, 3, "", false}, {"Cy", 3, 4, "19000101"}});
  const char* texts[] = {
      "IIF(OK .AND. BORN < DATE(), UPPER(TRIM(NAME)) + STR(AMOUNT, 8, 2), SPACE(3)) + "
      "DTOC(BORN) + DTOS(BORN + 1) + CDOW(BORN) + CMONTH(BORN) + SOUNDEX(NAME)",
      "STUFF(NAME, 2, 1, \"xy\") + SUBSTR(LTRIM(NAME), 1, 2) + REPLICATE(\"-\", COUNT) + "
      "CHR(65 + MOD(RECNO(), 3)) + LEFT(LOWER(NAME), 1) + RIGHT(RTRIM(NAME), 1)",
      "IIF(\"A\" $ NAME .OR. NAME = \"B\" .OR. DELETED(), \"y\", \"n\") + "
      "STR(VAL(\"12\") + ROUND(AMOUNT / 3, 2) + YEAR(BORN) + DAY(BORN) + DOW(BORN), 12) + "
      "DTOS(CTOD(\"02/29/2000\")) + (NAME - \"x\")",
      "MAX(BORN, DATE()) - MIN(BORN, BORN - 1) > 2 ^ INT(ABS(-1.5)) .AND. LEN(NAME) >= ASC(\"A\")",
  };
  for (const char* text : texts) {
    long before_compiling = g_allocations;
    ExpressionPtr e = MustCompile(text);
    ASSERT_TRUE(e);
    ASSERT_GT(g_allocations, before_compiling) << "the count sees allocations";
    for (int pass = 0; pass < 2; ++pass) {
      engine::GoTop();
      while (!engine::dEOF()) {
        long before = g_allocations;
        Evaluate(e.get());
        EXPECT_EQ(g_allocations, before) << text << " at record " << engine::RecNo();
        engine::Skip(1);
      }
    }
  }
}

TEST_F(Evaluating, MemoValuesAreCutToThePool) {
  // The pool of a memo value is the memo width (0 while the filter check compiles).
  PeopleTable({{"A", 0, 0, "", false, "some text"}});
  engine::Switches().memo_width = 4;
  ExpressionPtr e = MustCompile("NOTES");
  Evaluate(e.get());
  EXPECT_STREQ(ResultText(*e), "som");
  engine::Switches().memo_width = 0;
  ExpressionPtr none = MustCompile("NOTES");
  Evaluate(none.get());
  EXPECT_STREQ(ResultText(*none), "");
}

}  // namespace
}  // namespace vornelle::expr
