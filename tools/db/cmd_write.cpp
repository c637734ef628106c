// create, append, replace, delete and recall: changing tables that other programs may have
// open at the same time. Every value is checked before anything is written, and every change
// is made under the lock that guards it.

#include <cstdio>

#include "engine/engine.h"
#include "engine/memo_types.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/field_values.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

engine::FieldSpec ParseSpec(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (true) {
    std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string::npos ? comma : comma - from));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (parts.size() < 2 || parts.size() > 4 || parts[1].size() != 1)
    throw UsageError("a field is NAME,TYPE,LENGTH,DECIMALS, not: " + text);
  auto number = [&](std::size_t i) -> uint8_t {
    if (i >= parts.size() || parts[i].empty()) return 0;
    std::size_t used = 0;
    int value = -1;
    try {
      value = std::stoi(parts[i], &used);
    } catch (const std::exception&) {
    }
    if (used != parts[i].size() || value < 0 || value > 255)
      throw UsageError("not a length from 0 to 255 in " + text);
    return static_cast<uint8_t>(value);
  };
  return {parts[0], parts[1][0], number(2), number(3)};
}

// Goes to the record, locks it (waiting for another program that holds it) and reads it again,
// so the change starts from what is stored now.
void LockRecord(int32_t recno) {
  engine::Go(recno);
  RetryLock([] { return engine::RLock(); }, "record " + std::to_string(recno));
  engine::Go(recno);
}

int ChangeDeletion(const Arguments& argv, bool deleted) {
  Args args(argv, {}, {});
  args.Expect(2, 2);
  OpenForWriting(args.positional()[0]);
  int32_t recno = CheckedRecordNumber(args.positional()[1]);
  LockRecord(recno);
  deleted ? engine::DeleteRec() : engine::RecallRec();
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

}  // namespace

int CreateCommand(const Arguments& argv) {
  Args args(argv, {"--force"}, {"--kind"});
  args.Expect(2, 256);
  const std::string& table = args.positional()[0];
  std::vector<engine::FieldSpec> specs;
  for (std::size_t i = 1; i < args.positional().size(); ++i)
    specs.push_back(ParseSpec(args.positional()[i]));
  engine::Switches().default_memo_type = MemoKindByName(args.Option("--kind", "dbase4"));
  if (std::FILE* existing = std::fopen(engine::TableFileName(table).c_str(), "rb")) {
    std::fclose(existing);
    if (!args.Flag("--force")) throw ToolError(table + " exists; --force replaces it");
  }
  engine::CreateDbf(table, specs);
  return 0;
}

int AppendCommand(const Arguments& argv) {
  Args args(argv, {}, {});
  args.Expect(1, 1000);
  OpenForWriting(args.positional()[0]);
  std::vector<std::string> values(args.positional().begin() + 1, args.positional().end());
  std::vector<Assignment> checked = ParseAssignments(values);
  RetryLock([] { return engine::ALock(); }, "the table for appending");
  engine::ClearRecord();
  Apply(checked);
  engine::Append();
  std::printf("%d\n", engine::RecNo());
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

int ReplaceCommand(const Arguments& argv) {
  Args args(argv, {}, {});
  args.Expect(3, 1000);
  OpenForWriting(args.positional()[0]);
  int32_t recno = CheckedRecordNumber(args.positional()[1]);
  std::vector<std::string> values(args.positional().begin() + 2, args.positional().end());
  std::vector<Assignment> checked = ParseAssignments(values);
  LockRecord(recno);
  Apply(checked);
  engine::Replace();
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

int DeleteCommand(const Arguments& argv) { return ChangeDeletion(argv, true); }
int RecallCommand(const Arguments& argv) { return ChangeDeletion(argv, false); }

}  // namespace vornelle::tools
