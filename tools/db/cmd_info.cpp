// info: what a table's header says.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/memo_internal.h"
#include "tools/db/cli.h"
#include "tools/db/field_values.h"
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

const char* Family(uint8_t version) {
  switch (version) {
    case 0x02: return "dBASE II";
    case 0x03: return "dBASE III or IV, no memo";
    case 0x83: return "dBASE III with memo";
    case 0x8B: return "dBASE IV with memo";
    case 0x04:
    case 0x8C: return "level 7";
    case 0xF5: return "FoxPro 2 with memo";
    default: return "Visual FoxPro";
  }
}

// What the engine makes of a field, where that is not plain from its letter: the type it is
// read as, and whether it may be null or counts up itself.
std::string Notes(const engine::FieldDesc& f) {
  std::string notes;
  const auto add = [&](const std::string& note) { notes += (notes.empty() ? "" : "; ") + note; };
  if (f.type != f.stored_type) add(std::string("read as ") + f.type);
  if (f.null_bit >= 0) add("may be null");
  if (f.autoincrement) add("counts up itself");
  return notes;
}

}  // namespace

int InfoCommand(const Arguments& argv) {
  Args args(argv, {"--json"}, {kCodePageOption});
  args.Expect(1, 1);
  TextCodec& text = OpenForReading(args.positional()[0], args);
  const engine::WorkArea& wa = *engine::Current();
  int32_t records = engine::RecCount();
  const int32_t header_records = engine::HeaderRecCount();
  const std::vector<std::string> names = FieldNames(text);
  const uint8_t driver = LanguageDriver();
  const CodePage* named = CodePageOfDriver(driver);
  char version[8];
  std::snprintf(version, sizeof version, "0x%02X", wa.version);
  if (args.Flag("--json")) {
    std::string fields = "[";
    for (std::size_t i = 0; i < wa.fields.size(); ++i) {
      const engine::FieldDesc& f = wa.fields[i];
      if (fields.size() > 1) fields += ", ";
      JsonObject field;
      field.String("name", names[i])
          .String("type", std::string(1, f.stored_type))
          .Number("length", f.length)
          .Number("decimals", f.decimals)
          .Number("offset", f.offset);
      if (f.type != f.stored_type) field.String("read_as", std::string(1, f.type));
      if (f.null_bit >= 0) field.Bool("nullable", true);
      if (f.autoincrement) field.Bool("autoincrement", true);
      fields += field.str();
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
                            .Number("header_records", header_records)
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
    Print("version        %s (%s)\n", version, Family(wa.version));
    if (records == header_records)
      Print("records        %d\n", records);
    else
      Print("records        %d (its header counts %d)\n", records, header_records);
    Print("header length  %u\n", wa.header_length);
    Print("record length  %u\n", wa.record_length);
    Print("last update    %s\n", wa.last_update.c_str());
    Print("code page      %s\n", CodePageText(text, driver, named, args.Has(kCodePageOption)).c_str());
    if (wa.memo)
      Print("memo file      %s, block size %u\n", MemoKind(wa.memo->type), wa.memo->block_size);
    else
      Print("memo file      none\n");
    Print("\n%-11s  %-4s  %6s  %8s  %6s\n", "field", "type", "length", "decimals", "offset");
    for (std::size_t i = 0; i < wa.fields.size(); ++i) {
      const engine::FieldDesc& f = wa.fields[i];
      // Padded by characters, not bytes: a name may hold letters of several bytes.
      std::string line = names[i] + std::string(11 - std::min<std::size_t>(11, DisplayWidth(names[i])), ' ');
      char columns[96];
      std::snprintf(columns, sizeof columns, "  %-4c  %6u  %8u  %6u", f.stored_type, f.length, f.decimals, f.offset);
      line += columns;
      if (const std::string notes = Notes(f); !notes.empty()) line += "  " + notes;
      Write(line + "\n");
    }
  }
  engine::CloseAll();
  return 0;
}

}  // namespace vornelle::tools
