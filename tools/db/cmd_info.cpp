// info: what a table's header says.

#include <cstdio>
#include <string>

#include "engine/engine.h"
#include "engine/memo_internal.h"
#include "tools/db/cli.h"
#include "tools/db/commands.h"
#include "tools/db/json.h"
#include "tools/db/output.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

const char* MemoKind(uint8_t type) {
  switch (type) {
    case engine::kMemoDbase3: return "dBASE III";
    case engine::kMemoFoxPro: return "FoxPro";
    default: return "dBASE IV";
  }
}

// The code page line: the page the text is read in, and where it comes from.
std::string CodePageText(const TextCodec& text, uint8_t driver, const CodePage* named, bool chosen) {
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", driver);
  std::string origin = std::string("language driver ") + byte;
  if (chosen)
    origin = "--codepage; " + origin + (named ? std::string(": ") + named->name : std::string());
  else if (!named)
    origin += driver == 0 ? ", none" : ", not a code page this tool knows";
  return std::string(text.page().name) + " (" + origin + ")";
}

}  // namespace

int InfoCommand(const Arguments& argv) {
  Args args(argv, {"--json"}, {kCodePageOption});
  args.Expect(1, 1);
  TextCodec& text = OpenForReading(args.positional()[0], args);
  const engine::WorkArea& wa = *engine::Current();
  int32_t records = engine::RecCount();
  const uint8_t driver = LanguageDriver();
  const CodePage* named = CodePageOfDriver(driver);
  char version[8];
  std::snprintf(version, sizeof version, "0x%02X", wa.version);
  if (args.Flag("--json")) {
    std::string fields = "[";
    for (const engine::FieldDesc& f : wa.fields) {
      if (fields.size() > 1) fields += ", ";
      fields += JsonObject()
                    .String("name", f.name)
                    .String("type", std::string(1, f.type))
                    .Number("length", f.length)
                    .Number("decimals", f.decimals)
                    .Number("offset", f.offset)
                    .str();
    }
    fields += "]";
    std::string memo = "null";
    if (wa.memo)
      memo = JsonObject()
                 .String("type", MemoKind(wa.memo->type))
                 .Number("block_size", wa.memo->block_size)
                 .str();
    Write(JsonObject()
                            .String("version", version)
                            .Number("records", records)
                            .Number("header_length", wa.header_length)
                            .Number("record_length", wa.record_length)
                            .String("last_update", wa.last_update)
                            .Number("language_driver", driver)
                            .Raw("driver_code_page", named ? JsonString(named->name) : "null")
                            .String("code_page", text.page().name)
                            .Raw("memo", memo)
                            .Raw("fields", fields)
                            .str() +
          "\n");
  } else {
    Print("version        %s\n", version);
    Print("records        %d\n", records);
    Print("header length  %u\n", wa.header_length);
    Print("record length  %u\n", wa.record_length);
    Print("last update    %s\n", wa.last_update.c_str());
    Print("code page      %s\n", CodePageText(text, driver, named, args.Has(kCodePageOption)).c_str());
    if (wa.memo)
      Print("memo file      %s, block size %u\n", MemoKind(wa.memo->type), wa.memo->block_size);
    else
      Print("memo file      none\n");
    Print("\n%-10s  %-4s  %6s  %8s  %6s\n", "field", "type", "length", "decimals", "offset");
    for (const engine::FieldDesc& f : wa.fields)
      Print("%-10s  %-4c  %6u  %8u  %6u\n", f.name.c_str(), f.type, f.length, f.decimals,
                  f.offset);
  }
  engine::CloseAll();
  return 0;
}

}  // namespace vornelle::tools
