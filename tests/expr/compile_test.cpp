// Compiling: tokens, names, precedence, type rules, sizes of the result, the error reports and
// the parser's stack limit.

#include <string>

#include "tests/expr/expr_fixture.h"

namespace vornelle::expr {
namespace {

using Compiling = ExprTest;

TEST_F(Compiling, DayFilterCompilesToFivePostfixInstructions) {
  PeopleTable({{"0101"}});
  ExpressionPtr e = MustCompile("(NAME=\"0101\")");
  ASSERT_EQ(e->code.size(), 5u);
  EXPECT_EQ(e->code[0].opcode, kOpPush);
  EXPECT_EQ(e->code[0].type, kTypeL);
  EXPECT_EQ(e->code[0].integer, 1);  // field number
  EXPECT_EQ(e->code[1].opcode, kOpFieldC);
  EXPECT_EQ(e->code[1].argc, 1);
  EXPECT_EQ(e->code[2].type, kTypeC);
  EXPECT_STREQ(e->code[2].text, "0101");
  EXPECT_EQ(e->code[3].opcode, kOpEqC);
  EXPECT_EQ(e->code[3].argc, 2);
  EXPECT_EQ(e->code[4].opcode, kOpEnd);
  EXPECT_EQ(ResultType(*e), 'L');
  EXPECT_EQ(ResultWidth(*e), 1);
  EXPECT_EQ(e->pool_size, 11 + 5);
}

TEST_F(Compiling, PrecedenceOfAdjacentLevels) {
  // .OR. below .AND.
  EXPECT_TRUE(Logical(".T. .OR. .T. .AND. .F."));
  EXPECT_FALSE(Logical(".F. .AND. .F. .OR. .F."));
  EXPECT_TRUE(Logical(".F. .AND. .F. .OR. .T."));
  // .AND. below = and <>: the comparisons are reduced first, else the types would not fit.
  EXPECT_FALSE(Logical(".T. .AND. 1 = 2"));
  EXPECT_TRUE(Logical("1 # 2 .AND. .T."));
  // = and <> below $ and ==: A = B $ C is A = (B $ C).
  EXPECT_TRUE(Logical(".T. = \"a\" $ \"abc\""));
  EXPECT_TRUE(Logical(".F. <> \"a\" == \"a\""));
  // $ below the ordering comparisons: A $ B < C is A $ (B < C), a mismatch for $.
  EXPECT_EQ(CompileMessage("\"a\" $ \"b\" < \"c\""), "PARSER:Type mismatch in expression \"$\"");
  EXPECT_EQ(CompileMessage("\"a\" == \"b\" >= \"c\""), "PARSER:Type mismatch in expression \"==\"");
  // Comparisons below + and -.
  EXPECT_TRUE(Logical("1 + 2 < 4"));
  EXPECT_FALSE(Logical("\"b\" < \"a\" + \"c\""));
  // + and - below * and /.
  EXPECT_EQ(Number("2 + 3 * 4"), 14);
  EXPECT_EQ(Number("20 - 8 / 4"), 18);
  // * and / below the power.
  EXPECT_EQ(Number("2 * 3 ^ 2"), 18);
  EXPECT_EQ(Number("2 ** 3 / 2"), 4);
  // Prefix operators above the power: -2^2 is (-2)^2.
  EXPECT_EQ(Number("-2^2"), 4);
  EXPECT_EQ(Number("2 ^ -1"), 0.5);
  EXPECT_EQ(Number("- - 3"), 3);
  EXPECT_EQ(Number("+(1 - 4)"), -3);
}

TEST_F(Compiling, BinaryOperatorsGroupFromTheLeft) {
  EXPECT_EQ(Number("8 - 3 - 2"), 3);
  EXPECT_EQ(Number("16 / 4 / 2"), 2);
  EXPECT_EQ(Number("2 ^ 3 ^ 2"), 64);
  EXPECT_TRUE(Logical("1 = 1 = .T."));
}

TEST_F(Compiling, EveryOperatorMismatchNamesItsOperator) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 + \"a\"", "+"},          {"\"a\" - 1", "-"},        {"\"a\" * 2", "*"},
      {"1 / .T.", "/"},            {"2 ** \"a\"", "** or ^"}, {"2 ^ .T.", "** or ^"},
      {"1 = \"1\"", "="},          {"1 $ 2", "$"},            {"1 == 1", "=="},
      {".T. > .F.", ">"},          {"1 < \"a\"", "<"},        {".T. <> 1", "<>"},
      {".T. # 1", "<>"},           {".T. <= .F.", "<="},      {"1 >= .T.", ">="},
      {"1 .OR. .T.", ".OR."},      {".T. .AND. 1", ".AND."},  {".NOT. 1", ".NOT."},
      {"-\"a\"", "Unary -"},       {"+.T.", "Unary +"},       {"DATE() + DATE()", "+"},
      {"1 - DATE()", "-"},         {"DATE() * 2", "*"},
  };
  for (const auto& [text, name] : cases)
    EXPECT_EQ(CompileMessage(text), std::string("PARSER:Type mismatch in expression \"") + name + "\"")
        << text;
}

TEST_F(Compiling, PrefixBindsBeforeComparison) {
  PeopleTable({{"A"}});
  EXPECT_EQ(CompileMessage(".NOT. NAME = NAME"), "PARSER:Type mismatch in expression \".NOT.\"");
}

TEST_F(Compiling, FunctionMismatchNamesTheFullFunction) {
  const std::pair<const char*, const char*> cases[] = {
      {"IIF(.T., 1, 2)", "IIF"},   {"SUBS(1, 1, 1)", "SUBSTR"},   {"REPLI(1, 2)", "REPLICATE"},
      {"MAX(1, DATE())", "MAX"},   {"MIN(\"a\", \"b\")", "MIN"},  {"STR(1, 2, \"3\")", "STR"},
      {"STUFF(\"a\", 1, 1, 1)", "STUFF"}, {"DTOC(\"01/01/00\")", "DTOC"}, {"LOWE(1)", "LOWER"},
  };
  for (const auto& [text, name] : cases)
    EXPECT_EQ(CompileMessage(text), std::string("PARSER:Type mismatch in function \"") + name + "\"")
        << text;
}

TEST_F(Compiling, MemoValuesFitNoOperatorOrFunction) {
  PeopleTable({{"A"}});
  EXPECT_EQ(CompileMessage("NOTES + \"x\""), "PARSER:Type mismatch in expression \"+\"");
  EXPECT_EQ(CompileMessage("UPPER(NOTES)"), "PARSER:Type mismatch in function \"UPPER\"");
  ExpressionPtr e = MustCompile("(NOTES)");
  EXPECT_EQ(ResultType(*e), 'M');
  EXPECT_EQ(ResultWidth(*e), 256);
}

TEST_F(Compiling, SyntaxErrors) {
  for (const char* text : {"", "   ", "1 +", "(1", "1)", "ABS 1", "ABS(1, 2)", "DATE", "REP(\"ab\", 3)",
                           "1 2", "@", "NOPE", "1 = = 1", "STR()", "STR(1,2,3,4)", "IIF(.T.,\"a\")",
                           ".T. .XOR. .F."})
    EXPECT_EQ(CompileMessage(text), "Syntax error") << text;
}

TEST_F(Compiling, LogicalOperatorsNeedBlanksBesideNames) {
  PeopleTable({{"0101"}});
  // Points belong to names: the text after the literal scans as one name.
  EXPECT_EQ(CompileMessage("NAME=\"0101\".AND.OK"), "Syntax error");
  EXPECT_TRUE(MustCompile("NAME=\"0101\" .AND. OK"));
  EXPECT_TRUE(MustCompile("(NAME=\"0101\").AND.(OK)"));
}

TEST_F(Compiling, KeywordsAreFoundByFourLetterPrefixes) {
  EXPECT_EQ(Text("REPL(\"ab\", 3)"), "ababab");
  EXPECT_EQ(Text("replicate(\"ab\", 2)"), "abab");
  EXPECT_EQ(Text("SUBS(\"hello\", 2, 3)"), "ell");
  EXPECT_EQ(Text("uppe(\"x\")"), "X");
  EXPECT_EQ(Number("ROUN(2.567, 2)"), 2.56);
  EXPECT_TRUE(Logical("RECN() = 0"));
  EXPECT_FALSE(Logical("DELE()"));
  EXPECT_EQ(CompileMessage("UPP(\"x\")"), "Syntax error");
  EXPECT_EQ(CompileMessage("REPLICATES(\"x\", 1)"), "Syntax error");
}

TEST_F(Compiling, FieldNamesComeBeforeKeywordsUnlessCalled) {
  std::string path = dir_.File("dated.dbf");
  engine::CreateDbf(path, {{"DATE", 'C', 4, 0}, {"TRIM", 'N', 3, 0}});
  engine::USE(path);
  ExpressionPtr field = MustCompile("DATE = \"x\"");
  EXPECT_EQ(field->code[1].opcode, kOpFieldC);
  ExpressionPtr function = MustCompile("DATE ( ) = DATE()");
  EXPECT_EQ(function->code[0].opcode, kOpDate);
  EXPECT_EQ(ResultType(*MustCompile("trim + 1")), 'N');
  EXPECT_EQ(ResultType(*MustCompile("TRIM(\"a \")")), 'C');
}

TEST_F(Compiling, AFieldCalledAsAFunctionStillCountsInThePool) {
  std::string path = dir_.File("named.dbf");
  engine::CreateDbf(path, {{"TRIM", 'C', 6, 0}, {"NM", 'C', 4, 0}});
  engine::USE(path);
  // The field TRIM is counted before the parenthesis makes it the function, so the pool is no
  // longer the one field NM's and the width is not known.
  ExpressionPtr called = MustCompile("TRIM (NM)");
  EXPECT_EQ(called->code[2].opcode, kOpTrim);
  EXPECT_EQ(called->pool_size, 7 + 5);
  EXPECT_EQ(ResultWidth(*called), 0);
  ExpressionPtr field = MustCompile("TRIM");
  EXPECT_EQ(field->pool_size, 7);
  EXPECT_EQ(ResultWidth(*field), 6);
  EXPECT_EQ(ResultWidth(*MustCompile("UPPER(NM)")), 4);
}

TEST_F(Compiling, AliasQualifiedFieldsOfOtherWorkAreas) {
  PeopleTable({{"Ann", 1.5}});
  engine::Select(2);
  std::string other = dir_.File("codes.dbf");
  engine::CreateDbf(other, {{"CODE", 'C', 3, 0}});
  engine::USE(other);
  ExpressionPtr e = MustCompile("people->NAME + CODE");
  ASSERT_EQ(e->code.size(), 7u);
  EXPECT_EQ(e->code[1].integer, 1);  // work area of PEOPLE
  EXPECT_EQ(e->code[2].opcode, kOpAliasC);
  EXPECT_EQ(e->code[2].argc, 2);
  EXPECT_EQ(CompileMessage("NAME"), "Syntax error");  // not in the current work area
  EXPECT_EQ(CompileMessage("NOBODY->NAME"), "Syntax error");
  EXPECT_EQ(CompileMessage("PEOPLE->NAME->X"), "Syntax error");
  EXPECT_EQ(CompileMessage("PEOPLE -> AMOUNT"), "Syntax error") << "a blank ends the name";
}

TEST_F(Compiling, StringLiteralsTakeEitherQuote) {
  EXPECT_EQ(Text("'it\"s'"), "it\"s");
  EXPECT_EQ(Text("\"it's\""), "it's");
  EXPECT_EQ(Text("\"a.AND.b\" + 'Lower'"), "a.AND.bLower");
  EXPECT_EQ(Text("\"\""), "");
  // A literal without its closing quote ends the text.
  EXPECT_EQ(CompileMessage("\"abc"), "Syntax error");
  EXPECT_TRUE(Logical(".T. \"abc"));
}

TEST_F(Compiling, EndMarkAndZeroByteEndTheText) {
  EXPECT_EQ(Number(std::string("1 + 2\xFF garbage")), 3);
  EXPECT_EQ(Number(std::string("7\0 + 1", 6)), 7);
}

TEST_F(Compiling, NumericLiterals) {
  EXPECT_EQ(Number("1E5"), 100000);
  EXPECT_EQ(Number("1e2"), 100);
  EXPECT_EQ(Number("2.50"), 2.5);
  EXPECT_EQ(Number("1."), 1);
  EXPECT_EQ(Number("1E"), 1);
  EXPECT_EQ(Number("1E-2"), -1) << "a sign after E is not part of the literal: 1E - 2";
  EXPECT_EQ(CompileMessage("1.2.3"), "Syntax error");
  EXPECT_EQ(CompileMessage(".5"), "Syntax error");  // a number cannot begin with a point
  EXPECT_TRUE(Logical(std::string(100, '9') + " > 1E99"));
}

TEST_F(Compiling, NamesBeyondEightyCharactersAreFoundNowhere) {
  std::string name(81, 'A');
  EXPECT_EQ(CompileMessage(name), "Syntax error");
  EXPECT_EQ(CompileMessage(name + "->NAME"), "Syntax error");
}

TEST_F(Compiling, ResultWidthAndDecimals) {
  PeopleTable({{"A"}});
  struct Case {
    const char* text;
    char type;
    int width, decimals;
  } cases[] = {
      {"NAME", 'C', 10, 0},           {"UPPER(TRIM(NAME))", 'C', 10, 0},
      {"NAME + \"x\"", 'C', 0, 0},    {"\"abc\"", 'C', 0, 0},
      {"AMOUNT", 'N', 8, 2},          {"COUNT", 'N', 5, 0},
      {"COUNT + 1", 'N', 13, 2},      {"COUNT * AMOUNT", 'N', 8, 2},
      {"1", 'N', 13, 2},              {"LEN(NAME)", 'N', 10, 2},
      {"BORN", 'D', 8, 0},            {"OK", 'L', 1, 0},
      {"NOTES", 'M', 256, 0},
  };
  for (const Case& c : cases) {
    ExpressionPtr e = MustCompile(c.text);
    ASSERT_TRUE(e);
    EXPECT_EQ(ResultType(*e), c.type) << c.text;
    EXPECT_EQ(ResultWidth(*e), c.width) << c.text;
    EXPECT_EQ(ResultDecimals(*e), c.decimals) << c.text;
  }
}

TEST_F(Compiling, PoolAllowanceCountsEachOccurrence) {
  PeopleTable({{"A"}});
  EXPECT_EQ(MustCompile("NAME + NAME")->pool_size, 22);
  EXPECT_EQ(MustCompile("DTOC(BORN) + DTOS(BORN) + CHR(65)")->pool_size, 11 + 9 + 2);
  EXPECT_EQ(MustCompile("IIF(OK, \"ab\", SPACE(2))")->pool_size, 256 + 3 + 256);
  EXPECT_EQ(MustCompile("CDOW(BORN) + CMON(BORN) + SOUNDEX(NAME)")->pool_size, 15 + 15 + 15 + 11);
}

// ---- Error reports ----

TEST_F(Compiling, ErrorReportWithExcerptAtTheStart) {
  EXPECT_EQ(testing::RaisedMessage([] { Compile("1 + * 2"); }),
            "Error # 351 (Undefined error)\r\nError in expression : Syntax error\r\n[1 + * 2]\r\n"
            " [AssignExpr]");
  std::string longer = "1 + * " + std::string(60, '2');
  EXPECT_EQ(CompileError(longer), "Error in expression : Syntax error\r\n[" + longer.substr(0, 51) +
                                      "...]\r\n [AssignExpr]");
}

TEST_F(Compiling, ErrorReportWithExcerptInTheMiddle) {
  // The scanner stands at 70 when it meets the parenthesis at 69.
  std::string text = "\"" + std::string(66, 'x') + "\" )" + std::string(130, 'y');
  ASSERT_EQ(text.size(), 200u);
  EXPECT_EQ(CompileError(text), "Error in expression : Syntax error\r\n[..." + text.substr(19, 51) +
                                    "...]\r\n [AssignExpr]");
}

TEST_F(Compiling, ErrorReportWithExcerptAtTheEnd) {
  std::string text = std::string(70, '1') + " +";
  EXPECT_EQ(CompileError(text), "Error in expression : Syntax error\r\n[..." +
                                    text.substr(text.size() - 50) + "]\r\n [AssignExpr]");
}

TEST_F(Compiling, TextsLongerThan255CharactersAreRefused) {
  std::string text = "1" + std::string(254, ' ');
  EXPECT_EQ(Number(text), 1);
  text += "+ 1";
  EXPECT_EQ(CompileError(text), "Error in expression : Expression longer than 255 characters\r\n[..." +
                                    text.substr(205, 51) + "...]\r\n [AssignExpr]");
  EXPECT_EQ(CheckExpression(text + "  "), 351);
}

TEST_F(Compiling, ErrorsWithoutAutoCheckLeaveTheCodeAndReturnNull) {
  engine::SetAutoCheck(false);
  EXPECT_EQ(Compile("1 +"), nullptr);
  EXPECT_EQ(engine::LastError(), 351);
  EXPECT_NE(engine::ContextMessage().find("Syntax error"), std::string::npos);
  // A new compilation clears a code of this unit's range before it starts.
  ExpressionPtr e(Compile("1"));
  EXPECT_TRUE(e);
  EXPECT_EQ(engine::LastError(), 0);
}

TEST_F(Compiling, ParserStackHolds150Entries) {
  // The start state, one state per prefix operator and the number's: 148 minus signs fill 150.
  auto prefixed = [](int depth, char op) { return std::string(depth, op) + "1"; };
  EXPECT_EQ(Number(prefixed(148, '-')), 1);
  EXPECT_EQ(CompileMessage(prefixed(149, '-')), "Parser_stack_overflow");
  EXPECT_EQ(CompileMessage(prefixed(148, '(')), "Syntax error");  // no closing parentheses
  EXPECT_EQ(CompileMessage(prefixed(149, '(')), "Parser_stack_overflow");
  EXPECT_EQ(CompileMessage(std::string(255, '(')), "Parser_stack_overflow");
  std::string deep = std::string(60, '(') + std::string(100, '-') + "2" + std::string(60, ')');
  EXPECT_EQ(CompileError(deep).substr(0, 43), "Error in expression : Parser_stack_overflow");
  // Left-grouping chains do not deepen the stack.
  std::string chain = "1";
  while (chain.size() < 250) chain += "+1";
  EXPECT_EQ(Number(chain), 126);
}

TEST_F(Compiling, CheckExpressionForFilters) {
  PeopleTable({{"A"}});
  EXPECT_EQ(CheckExpression("NAME = \"A\"  \r\n"), 0);
  EXPECT_EQ(CheckExpression("  \t"), 359);
  EXPECT_EQ(CheckExpression("NAME"), 362);
  EXPECT_EQ(CheckExpression("NOTES"), 362);
  EXPECT_EQ(CheckExpression("NAME ="), 351);
  EXPECT_EQ(CheckExpression("1 == 1"), 351);
  EXPECT_EQ(engine::LastError(), 0);
  EXPECT_EQ(engine::Switches().memo_width, 256);
  // The automatic error action is back: the next failure raises.
  EXPECT_EQ(CompileMessage("1 +"), "Syntax error");
}

TEST_F(Compiling, ReleaseIgnoresNullAndUnknownHandles) {
  Expression* e = Compile("1");
  Expression* copy = e;
  Release(e);
  EXPECT_EQ(e, nullptr);
  Release(copy);  // already released: left alone
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(Evaluate(nullptr), nullptr);
}

}  // namespace
}  // namespace vornelle::expr
