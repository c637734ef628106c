#pragma once
// Field values between the engine's records and the user: reading the current record's fields
// for output, and turning "FIELD=VALUE" as a person types it into checked values to store.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/state.h"
#include "tools/db/code_page.h"
#include "tools/db/output.h"

namespace vornelle::tools {

// One field of the current record, ready for output. Text is UTF-8.
struct FieldValue {
  // Null: a value the field does not hold (a blank or starred number, a logical that is no
  // letter of one, a date that is none) or one Visual FoxPro marks null.
  enum class Kind : uint8_t { kNull, kText, kNumber, kLogical };
  Kind kind = Kind::kNull;
  std::string text;      // kText: the text; kNumber: the number as JSON writes it
  bool logical = false;  // kLogical
};

// Text fields are converted from the table's code page with `text`.
FieldValue ReadField(TextCodec& text, const engine::FieldDesc& field, int number);

std::string AsJson(const FieldValue& value);

// The current record's fields as JSON values, its text buffers reused from record to record:
// what a listing of many records does for every field.
class FieldJsonWriter {
 public:
  explicit FieldJsonWriter(TextCodec& text);
  // Appends the value of field `number` (1-based) to `out`.
  void Append(OutputBuffer& out, const engine::FieldDesc& field, int number);

 private:
  // Stored text as a JSON string, decoded and escaped in one pass.
  void AppendText(OutputBuffer& out, std::string_view stored);

  TextCodec& text_;
  std::string stored_, decoded_, json_;
  // For a page decoded byte by byte whose ASCII stands for itself: what each stored byte
  // becomes inside a JSON string (length 0: the byte itself).
  struct JsonByte {
    char text[7];
    uint8_t length;
  };
  std::array<JsonByte, 256> json_bytes_{};
  bool by_table_ = false;
  // How each field of the table is written, decided once: text and memo values as stored (and
  // never null) go straight from the record and the memo file, the others through ReadField.
  enum class Way : uint8_t { kStoredText, kMemo, kValue };
  std::vector<Way> ways_;
};
// The value as text: for CSV (the whole memo) or for a terminal column (memo on one line);
// empty for null.
std::string AsText(const FieldValue& value);

// The fields' names as the user reads them (through the table's code page), and as keys of a
// JSON object or columns of CSV: a name a field before it already has is made unique by
// "_2", "_3"... (the first that no field of the table is called).
std::vector<std::string> FieldNames(TextCodec& text);
std::vector<std::string> UniqueFieldNames(const std::vector<std::string>& names);

// A checked value for one field, ready to store.
struct Assignment {
  int field = 0;  // 1-based
  engine::FieldDesc desc;
  std::string stored;  // C and M text, in the table's code page; a date and time as the engine shows it
  double number = 0;
  bool logical = false;
  std::string ymd;  // D: YYYYMMDD, or empty for a blank date
  bool null = false;  // an empty value for a field that may be null
};

// Parses and checks every "FIELD=VALUE" against the current table before anything is written,
// text converted to the table's code page with `text`. Throws ToolError naming the first value
// that does not fit, or holds a character the page lacks.
std::vector<Assignment> ParseAssignments(TextCodec& text, const std::vector<std::string>& args);

// Stores the values in the typed record buffer; memo values are written as new memo values.
void Apply(const std::vector<Assignment>& assignments);

}  // namespace vornelle::tools
