#pragma once
// Field values as a record's bytes hold them: binary numbers, dates and times, memo block
// numbers, Visual FoxPro's null flags and varchar lengths. The record codec turns them into the
// typed record buffer and back; vornelle-db reads them exactly from here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace vornelle::engine {

// A moment as the binary date-time fields hold it. Julian day 0 is no date (a blank value).
struct DateTime {
  int32_t julian_day = 0;
  int32_t milliseconds = 0;  // of the day
};

// Julian day numbers of calendar dates and back (the Gregorian calendar throughout).
int32_t JulianDay(int year, int month, int day);
void CalendarDateOf(int32_t julian_day, int* year, int* month, int* day);

// Whether the record holds no value for the field: its bit in the null flags is set. Asked of
// every field of every record read, so the common answer (a field that cannot be null) is inline.
bool NullFlagSet(const WorkArea& wa, const char* record, int bit);
inline bool IsNullValue(const WorkArea& wa, const FieldDesc& field, const char* record) {
  return field.null_bit >= 0 && NullFlagSet(wa, record, field.null_bit);
}
// Sets or clears the field's null bit in `record`.
void SetNullValue(const WorkArea& wa, const FieldDesc& field, char* record, bool null);

// The bytes of a V or Q field's value: the whole field, or as many as its last byte says when
// the null flags mark it shorter.
std::string_view VarBytes(const WorkArea& wa, const FieldDesc& field, const char* record);
// Stores a V or Q value (at most the field's width) with its length.
void PutVarBytes(const WorkArea& wa, const FieldDesc& field, char* record, std::string_view value);

// Values of the binary storages, from the field's bytes.
int32_t StoredInteger(const FieldDesc& field, const char* bytes);  // I and +
int64_t StoredCurrency(const char* bytes);                        // Y, in ten-thousandths
double StoredDouble(const FieldDesc& field, const char* bytes);    // B, O, and Y as a number
DateTime StoredDateTime(const FieldDesc& field, const char* bytes);  // T and @
int32_t StoredBlock(const FieldDesc& field, const char* bytes);    // any memo field

void PutInteger(const FieldDesc& field, char* bytes, int32_t value);
void PutCurrency(char* bytes, int64_t ten_thousandths);
// The ten-thousandths a currency field stores for `value`: its shortest decimal rounded to 4
// places (not value * 10000, whose binary error can reach a ten-thousandth), so that an amount
// of at most 15 digits is stored as it was written; beyond 64 bits, the nearest they hold.
int64_t CurrencyUnits(double value);
void PutDouble(const FieldDesc& field, char* bytes, double value);
void PutDateTime(const FieldDesc& field, char* bytes, DateTime value);
// Memo fields of 4 bytes only; text block numbers are written by the record codec.
void PutBlock(char* bytes, int32_t block);

// "YYYY-MM-DDTHH:MM:SS" (`separator` between date and time), and ".mmm" after it when
// `milliseconds` and the time has a fraction of a second; empty for no date, and for a moment
// before 0001-01-01 or after 9999-12-31 or a time outside its day.
std::string DateTimeText(DateTime value, char separator = 'T', bool milliseconds = false);
// A date and time as DateTimeText writes it ("YYYY-MM-DD" alone is midnight); a blank text is
// no date. Nothing when the text is neither.
std::optional<DateTime> ParseDateTime(std::string_view text);

// Fills the field in `record` with its blank: blanks for text, zeros for binary values, an
// empty varchar. Null flags are not touched.
void BlankField(const WorkArea& wa, const FieldDesc& field, char* record);
// A whole record of blank fields, no null flag set, not deleted.
void BlankRecord(const WorkArea& wa, char* record);

}  // namespace vornelle::engine
