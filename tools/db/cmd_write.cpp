// create, append, replace, delete and recall: changing tables that other programs may have
// open at the same time. Every value is checked before anything is written, and every change
// is made under the lock that guards it.

#include <cstdio>

#include "engine/engine.h"
#include "engine/memo_types.h"
#include "platform/file.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/field_values.h"
#include "tools/db/output.h"
#include "tools/db/session.h"
#include "themes/table_pack.h"

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

// Names the table's code page in its header (the language driver byte), for this tool and for
// other programs that read it.
void SetLanguageDriver(const std::string& table, uint8_t driver) {
  platform::File file;
  const std::string path = engine::TableFileName(table);
  std::size_t done = 0;
  int rc = file.Open(path, platform::mode::kReadWrite | platform::mode::kDenyWrite);
  if (rc == 0) rc = file.WriteAt(29, &driver, 1, &done);
  if (rc != 0 || done != 1) throw ToolError("cannot set the code page of " + path + ": error " + std::to_string(rc));
}

int ChangeDeletion(const Arguments& argv, bool deleted) {
  Args args(argv, {}, {kCodePageOption});
  args.Expect(2, 2);
  OpenForWriting(args.positional()[0], args);
  int32_t recno = CheckedRecordNumber(args.positional()[1]);
  LockRecord(recno);
  deleted ? engine::DeleteRec() : engine::RecallRec();
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

}  // namespace

int CreateCommand(const Arguments& argv) {
  Args args(argv, {"--force"}, {"--kind", kCodePageOption});
  args.Expect(2, 256);
  const std::string& table = args.positional()[0];
  std::vector<engine::FieldSpec> specs;
  for (std::size_t i = 1; i < args.positional().size(); ++i)
    specs.push_back(ParseSpec(args.positional()[i]));
  engine::Switches().default_memo_type = MemoKindByName(args.Option("--kind", "dbase4"));
  const CodePage* page = CodePageOption(args);
  if (std::FILE* existing = std::fopen(engine::TableFileName(table).c_str(), "rb")) {
    std::fclose(existing);
    if (!args.Flag("--force")) throw ToolError(table + " exists; --force replaces it");
  }
  engine::CreateDbf(table, specs);
  if (page) SetLanguageDriver(table, DriverOfCodePage(*page));
  return 0;
}

int AppendCommand(const Arguments& argv) {
  Args args(argv, {}, {kCodePageOption});
  args.Expect(1, 1000);
  TextCodec& text = OpenForWriting(args.positional()[0], args);
  std::vector<std::string> values(args.positional().begin() + 1, args.positional().end());
  std::vector<Assignment> checked = ParseAssignments(text, values);
  RetryLock([] { return engine::ALock(); }, "the table for appending");
  engine::ClearRecord();
  Apply(checked);
  engine::Append();
  Print("%d\n", engine::RecNo());
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

int ReplaceCommand(const Arguments& argv) {
  Args args(argv, {}, {kCodePageOption});
  args.Expect(3, 1000);
  TextCodec& text = OpenForWriting(args.positional()[0], args);
  int32_t recno = CheckedRecordNumber(args.positional()[1]);
  std::vector<std::string> values(args.positional().begin() + 2, args.positional().end());
  std::vector<Assignment> checked = ParseAssignments(text, values);
  LockRecord(recno);
  Apply(checked);
  engine::Replace();
  engine::Unlock();
  engine::CloseAll();
  return 0;
}

int DeleteCommand(const Arguments& argv) { return ChangeDeletion(argv, true); }

int PackCommand(const Arguments& argv) {
  const Args args(argv, {}, {});
  args.Expect(1, 1);
  const std::string& table = args.positional()[0];
  const engine::PackResult packed = themes::PackTableFile(table);
  Write(table + ": " + std::to_string(packed.kept) + " records kept, " + std::to_string(packed.removed) +
        " deleted records removed\n");
  return 0;
}
int RecallCommand(const Arguments& argv) { return ChangeDeletion(argv, false); }

}  // namespace vornelle::tools
