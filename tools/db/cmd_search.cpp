// eval and locate: expressions evaluated against a table, and field searches.

#include <cstdio>

#include "engine/engine.h"
#include "expr/expr.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

constexpr double kBlankDate = 1e100;

std::string ResultJson(TextCodec& text, const expr::Expression& e) {
  char type = expr::ResultType(e);
  switch (type) {
    case 'N': return JsonNumber(expr::ResultNumber(e));
    case 'L': return expr::ResultLogical(e) ? "true" : "false";
    case 'D': {
      double day = expr::ResultNumber(e);
      return day >= kBlankDate ? "null" : JsonString(expr::YmdFromDayNumber(day));
    }
    default: return JsonString(text.Decode(expr::ResultText(e)));
  }
}

void PrintEvaluation(TextCodec& text, expr::Expression& e, const int32_t* recno) {
  expr::Evaluate(&e);
  JsonObject out;
  if (recno) out.Number("recno", *recno);
  out.String("type", std::string(1, expr::ResultType(e)))
      .Number("width", expr::ResultWidth(e))
      .Number("decimals", expr::ResultDecimals(e))
      .Raw("value", ResultJson(text, e));
  Write(out.str() + "\n");
}

}  // namespace

int EvalCommand(const Arguments& argv) {
  Args args(argv, {}, {kCodePageOption});
  args.Expect(1, 2);
  bool with_table = args.positional().size() == 2;
  TextCodec& text = with_table ? OpenForReading(args.positional()[1], args) : TextWithoutTable();
  expr::ExpressionPtr compiled(expr::Compile(InPage(text, args.positional()[0], "expression")));
  if (!compiled) throw ToolError("the expression does not compile");
  if (!with_table) {
    PrintEvaluation(text, *compiled, nullptr);
  } else {
    int32_t count = engine::RecCount();
    for (int32_t n = 1; n <= count; ++n) {
      engine::Go(n);
      PrintEvaluation(text, *compiled, &n);
    }
  }
  compiled.reset();
  engine::CloseAll();
  return 0;
}

int LocateCommand(const Arguments& argv) {
  Args args(argv, {}, {kCodePageOption});
  args.Expect(3, 3);
  TextCodec& text = OpenForReading(args.positional()[0], args);
  int field = engine::ParseLocateField(args.positional()[1]);
  engine::SetLocateText(InPage(text, args.positional()[2], "search text"));
  engine::Locate(1, field);
  while (!engine::dEOF()) {
    Print("%d\n", engine::RecNo());
    engine::Continue();
  }
  engine::CloseAll();
  return 0;
}

}  // namespace vornelle::tools
