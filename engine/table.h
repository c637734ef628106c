#pragma once
// Work areas, opening and closing tables, field information and creating tables.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/state.h"

namespace vornelle::engine {

// How UseTable opens a table, apart from its name.
struct UseOptions {
  bool exclusive = false;  // no other program may open the file meanwhile
  std::string alias;       // empty: the file's name part, in upper case
  // A sequential scan: records and memo values are read ahead in windows that last across
  // moves, so a scan costs a kernel call per window rather than per record. Records are as the
  // file held them at most one window earlier, as every reader that takes no lock sees them;
  // records another program appends show once the scan passes the count it knew. For reading
  // commands, never for a program that shows a record as it is now.
  bool sequential = false;
};

// Opens the table `file_name` in the current work area, closing what was there. The name is
// taken whole: blanks, dashes and words like EXCLUSIVE in it are part of the name. An empty
// name only closes. Without a buffer the engine allocates the typed record buffer; a given
// buffer must have exactly the typed record size.
void UseTable(const std::string& file_name, const UseOptions& options, void* buffer = nullptr,
              uint16_t size = 0, const uint8_t* read_table = nullptr,
              const uint8_t* write_table = nullptr);

// The dBASE command: a file name followed by the options " EXCLUSIVE" and " ALIAS name",
// which are cut from the text wherever they stand (so a name that holds one of these words
// cannot be opened this way: use UseTable). An empty command only closes.
void USE(std::string_view command, void* buffer = nullptr, uint16_t size = 0);
void USE(std::string_view command, void* buffer, uint16_t size, const uint8_t* read_table,
         const uint8_t* write_table);

// 1..33 selects that area; 0 selects the lowest-numbered empty one.
void Select(int area);
int CurrentArea();
void CloseArea();  // the current work area
void CloseAll();   // areas 1 to 33, then selects area 1

uint8_t FieldCount();
char FieldType(int field);
// C fields up to 65535 wide; D fields: the displayed width, 8 or 10; a date and time 19.
uint16_t FieldLen(int field);
uint8_t FieldDec(int field);
std::string Field(int field);
int FieldNo(std::string_view name);
// Whether a field of the name `field_name` is the one an upper-case `name` names: field names
// are told apart by their first 10 characters.
bool SameFieldName(std::string_view field_name, std::string_view name);
char* FieldAddress(int field);  // 0 = the deletion flag at the start of the buffer

// Visual FoxPro's null values: whether the current record holds no value for the field, and
// marking it so (or not) for the next Replace or Append. A field that cannot be null is never
// null, and SetFieldNull returns false for it.
bool FieldIsNull(int field);
bool SetFieldNull(int field, bool null);

// A field definition for CreateDbf: name, type letter, length, decimals.
struct FieldSpec {
  std::string name;
  char type = 'C';
  uint8_t length = 0;
  uint8_t decimals = 0;
};
// Creates an empty table (and its memo file when a field needs one) of the default kind.
void CreateDbf(const std::string& file_name, const std::vector<FieldSpec>& fields);

// The code of a write refused because another program replaced the table since it was opened
// (a theme import): the work area holds files no one will read again. Open the table again.
inline constexpr int kTableReplaced = 1301;
// Whether the current table or its memo file was replaced so since it was opened.
bool TableReplaced();

bool ProductionIndexFlag();
void SetProductionIndexFlag(bool on);

// The file a table name stands for: the default extension added when it has none.
std::string TableFileName(const std::string& name);

// The engine-wide switches (network mode, open modes, OEM, date settings...).
EngineSwitches& Switches();

// The typed record layout of a set of descriptors: fills typed_offset and returns the size; 0
// when the record is too large for a typed buffer.
uint16_t LayoutTypedBuffer(std::vector<FieldDesc>& fields);

}  // namespace vornelle::engine
