// TTzDataSet: the record buffer conversions between the engine's typed record buffer and the
// dataset's record buffer, and the field values read and stored in the dataset's buffers.
//
// A dataset buffer holds the deletion flag, then one slot per named field: C a counted string
// (length byte and characters), D the date as a date-time value (0 blank), N and F a double
// (with decimals) or a 32-bit integer, L the engine's boolean in a 2-byte slot, M the 32-bit
// memo block number.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dataset/fields.h"
#include "dataset/messages.h"
#include "dataset/text.h"
#include "dataset/tz_dataset.h"
#include "engine/engine.h"
#include "engine/record_codec.h"
#include "platform/codepage.h"
#include "platform/datetime.h"
#include "platform/locale.h"
#include "platform/message_box.h"

namespace vornelle::dataset {

using namespace framework;

namespace {

// The stored eight characters YYYYMMDD as a date-time value; 0 for a blank or invalid date.
double DateOfStored(const char* ymd) {
  int parts[3] = {0, 0, 0};
  const int widths[3] = {4, 2, 2};
  for (int p = 0, at = 0; p < 3; at += widths[p++])
    for (int i = 0; i < widths[p]; ++i) {
      const char c = ymd[at + i];
      if (c < '0' || c > '9') return 0;
      parts[p] = parts[p] * 10 + (c - '0');
    }
  platform::TDateTime value = 0;
  return platform::TryEncodeDate(parts[0], parts[1], parts[2], &value) ? value : 0;
}

// The value rounded to `decimals` places the way it is shown and stored (ties away from zero):
// formatted and read back.
double Rounded(double value, int decimals) {
  char text[400];
  const std::size_t n = engine::FixedText(value, decimals, text, sizeof text - 1);
  if (n == 0) return value;
  text[n] = '\0';
  return std::strtod(text, nullptr);
}


// The engine's date text for a date-time value in a dataset buffer (0: the blank date), from
// the date's own digits with the year in full whatever the engine's century setting: a
// two-digit year would be widened on its way to the file, 1950 coming back as 2050. A date
// outside the years 1 to 9999 is reported and stored blank.
std::string EngineDateText(double value) {
  if (value == 0) return BlankDateText();
  const platform::CalendarDate date = platform::DecodeDate(value);
  if (date.year < 1 || date.year > 9999) {
    platform::ShowMessage(platform::OemToAnsi(msg::kInvalidDate));
    return BlankDateText();
  }
  return engine::DisplayDate(engine::StoredDateOf(date.year, date.month, date.day),
                             engine::Switches().date_order, /*century=*/true);
}

// The characters a counted text of a field `width` wide holds: its length byte, where a byte of
// 255 in a wider field stands for the whole width.
std::size_t CountedLength(const char* counted, std::size_t width) {
  const auto length = static_cast<uint8_t>(counted[0]);
  return width > 255 && length == 255 ? width : std::min<std::size_t>(length, width);
}

int SlotSize(const TDTField& f) {
  switch (f.TypeLetter) {
    case 'C': return f.Width + 1;
    case 'D': return 8;
    case 'N':
    case 'F': return f.Double ? 8 : 4;
    case 'L': return 2;
    default: return 4;
  }
}

}  // namespace

void TTzDataSet::ReadRecordToBuffer(TRecordBuffer buffer) {
  const char* typed = field_props_->RecordImage;
  const char* raw = engine::Current()->raw.data();
  buffer[0] = typed[0] ? 1 : 0;
  const std::vector<TDTField>& fields = field_props_->Fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int slot = slot_by_field_no_[i];
    if (slot < 0) continue;
    const TDTField& f = fields[i];
    char* out = buffer + slot;
    const char* in = typed + f.Offset;
    switch (f.TypeLetter) {
      case 'C': std::memcpy(out, in, static_cast<std::size_t>(f.Width) + 1); break;
      case 'D':
        // From the stored digits, which keep the century even when the engine's date text
        // shows a two-digit year.
        engine::StoreDouble(out, f.RawWidth >= 8 ? DateOfStored(raw + f.RawOffset) : 0);
        break;
      case 'N':
      case 'F':
        if (f.Double)
          engine::StoreDouble(out, f.Decimals > 0 ? Rounded(engine::LoadDouble(in), f.Decimals) : engine::LoadDouble(in));
        else
          std::memcpy(out, in, 4);
        break;
      case 'L':
        out[0] = in[0];
        out[1] = 0;
        break;
      default: std::memcpy(out, in, 4); break;
    }
  }
}

void TTzDataSet::WriteBufferToRecord(TRecordBuffer buffer, int field_no) {
  char* typed = field_props_->RecordImage;
  typed[0] = buffer[0];
  const std::vector<TDTField>& fields = field_props_->Fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int slot = slot_by_field_no_[i];
    if (slot < 0 || (field_no != 0 && static_cast<int>(i) + 1 != field_no)) continue;
    const TDTField& f = fields[i];
    const char* in = buffer + slot;
    char* out = typed + f.Offset;
    switch (f.TypeLetter) {
      case 'C': {
        out[0] = in[0];
        std::memcpy(out + 1, in + 1, CountedLength(in, f.Width));
        break;
      }
      case 'D': {
        const std::string text = EngineDateText(engine::LoadDouble(in));
        out[0] = static_cast<char>(text.size());
        std::memcpy(out + 1, text.data(), text.size());
        break;
      }
      case 'N':
      case 'F':
        // A value that reads as the engine's does is the engine's: a number stored with more
        // decimals than its field keeps its bytes unless it was changed.
        if (f.Decimals > 0 && engine::LoadDouble(in) == Rounded(engine::LoadDouble(out), f.Decimals))
          break;
        std::memcpy(out, in, f.Double ? 8 : 4);
        break;
      case 'L': out[0] = in[0] ? 1 : 0; break;
      default: std::memcpy(out, in, 4); break;
    }
  }
}

int16_t TTzDataSet::TziGetFieldData(TField& field, TRecordBuffer buffer, bool* blank, void* value) {
  const char* slot = FieldSlot(buffer, field);
  *blank = slot == nullptr;
  // The destination receives the value alone (text: the characters, then NUL).
  auto* out = static_cast<char*>(value);
  if (!slot) {
    if (out) std::memset(out, 0, static_cast<std::size_t>(field.DataSize()));
    return 0;
  }
  switch (field.DataType()) {
    case ftString: {
      std::size_t length = CountedLength(slot, static_cast<std::size_t>(field.Size()));
      while (length > 0 && slot[length] == ' ') --length;
      if (out) {
        std::memcpy(out, slot + 1, length);
        out[length] = '\0';
      }
      break;
    }
    case ftDate: {
      const double date = engine::LoadDouble(slot);
      *blank = date == 0;
      const int32_t stamp = date != 0 ? platform::DateTimeToDateStamp(date) : 0;
      if (out) std::memcpy(out, &stamp, 4);
      break;
    }
    case ftFloat:
      if (out) std::memcpy(out, slot, 8);
      break;
    case ftBoolean:
      if (out) out[0] = slot[0], out[1] = 0;
      break;
    default:  // integers and memo block numbers
      if (out) std::memcpy(out, slot, 4);
      break;
  }
  return 0;
}

int16_t TTzDataSet::TziSetFieldData(TField& field, TRecordBuffer buffer, const void* value) {
  char* slot = FieldSlot(buffer, field);
  if (!slot) return 0;
  const TDTField& f = field_props_->Fields[static_cast<std::size_t>(field.FieldNo() - 1)];
  const auto size = static_cast<std::size_t>(SlotSize(f));
  std::memset(slot, 0, size);
  if (value) {
    switch (field.DataType()) {
      case ftString: {
        const std::size_t length = strnlen(static_cast<const char*>(value), f.Width);
        slot[0] = static_cast<char>(std::min<std::size_t>(length, 255));
        std::memset(slot + 1, ' ', f.Width);
        std::memcpy(slot + 1, value, length);
        break;
      }
      case ftDate: {
        int32_t stamp = 0;
        std::memcpy(&stamp, value, 4);
        engine::StoreDouble(slot, platform::DateStampToDateTime(stamp));
        break;
      }
      case ftBoolean: {
        int16_t flag = 0;
        std::memcpy(&flag, value, 2);
        slot[0] = flag != 0 ? 1 : 0;
        break;
      }
      default: std::memcpy(slot, value, size); break;
    }
  }
  SelectWorkArea("TziSetFieldData");
  WriteBufferToRecord(buffer, field.FieldNo());
  return 0;
}

}  // namespace vornelle::dataset
