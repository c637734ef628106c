#include "tools/db/field_values.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "engine/engine.h"
#include "engine/field_storage.h"
#include "engine/record_codec.h"
#include "engine/typed_buffer.h"
#include "tools/db/cli.h"
#include "tools/db/json.h"
#include "tools/db/session.h"

namespace vornelle::tools {

namespace {

constexpr int kCannotLockMemoFile = 1017;

// The field's bytes as the current record stores them.
std::string_view StoredField(const engine::FieldDesc& field) {
  return {engine::Current()->raw.data() + field.offset, field.length};
}

std::string RawField(const engine::FieldDesc& field) { return std::string(StoredField(field)); }

// The number a numeric field's text holds, as JSON writes it: whole numbers digit for digit,
// however long, others as the double they read as. Nothing for a field that holds no number:
// blank, starred (too large for its width), "1,200.00".
std::optional<std::string> StoredNumber(std::string_view text) {
  const auto padding = [](char c) { return c == ' ' || c == '\0'; };
  while (!text.empty() && padding(text.front())) text.remove_prefix(1);
  while (!text.empty() && padding(text.back())) text.remove_suffix(1);
  std::size_t i = 0, digits = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t first_digit = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  const std::size_t whole_end = i;
  bool whole = true;
  if (i < text.size() && text[i] == '.') {
    whole = false;
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) ++digits;
  }
  if (digits > 0 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    whole = false;
    std::size_t exponent = 0;
    if (++i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) ++exponent;
    if (exponent == 0) return std::nullopt;
  }
  if (digits == 0 || i != text.size()) return std::nullopt;
  if (!whole) return JsonNumber(engine::ParseNumber(text));
  std::string_view magnitude = text.substr(first_digit, whole_end - first_digit);
  while (magnitude.size() > 1 && magnitude.front() == '0') magnitude.remove_prefix(1);
  return (negative && magnitude != "0" ? "-" : "") + std::string(magnitude);
}

// A currency value's ten-thousandths as a decimal number, without trailing zeros.
std::string CurrencyText(int64_t ten_thousandths) {
  const bool negative = ten_thousandths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ten_thousandths) : static_cast<uint64_t>(ten_thousandths);
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  fraction.erase(fraction.find_last_not_of('0') + 1);
  if (!fraction.empty()) text += "." + fraction;
  return (negative ? "-" : "") + text;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    out += kDigits[static_cast<uint8_t>(c) >> 4];
    out += kDigits[static_cast<uint8_t>(c) & 15];
  }
  return out;
}

FieldValue Text(std::string text) { return {FieldValue::Kind::kText, std::move(text), false}; }
FieldValue Number(std::string text) { return {FieldValue::Kind::kNumber, std::move(text), false}; }
FieldValue Logical(bool value) { return {FieldValue::Kind::kLogical, {}, value}; }
FieldValue Null() { return {}; }

// A character field's text, without the spaces that pad it.
std::string_view StoredText(const engine::FieldDesc& field) {
  std::string_view stored = StoredField(field);
  return stored.substr(0, stored.find_last_not_of(' ') + 1);
}

int32_t MemoBlock(const engine::FieldDesc& field) { return engine::StoredMemoBlock(field); }

// The stored date as YYYY-MM-DD, or empty when it is blank or not a date.
std::string IsoDate(const std::string& ymd) {
  if (ymd.size() != 8) return {};
  for (char c : ymd)
    if (c < '0' || c > '9') return {};
  int y = std::stoi(ymd.substr(0, 4)), m = std::stoi(ymd.substr(4, 2)), d = std::stoi(ymd.substr(6, 2));
  if (y < 1 || d < 1 || d > engine::DaysInMonth(y, m)) return {};
  return ymd.substr(0, 4) + "-" + ymd.substr(4, 2) + "-" + ymd.substr(6, 2);
}

// Text as the table's code page stores it: refused when the page cannot hold it, rather than
// stored changed.
std::string StorableText(TextCodec& codec, const std::string& utf8, const std::string& field) {
  std::string stored, missing;
  if (codec.Encode(utf8, stored, missing)) return stored;
  if (missing.empty()) throw ToolError("the value of " + field + " is not UTF-8 text");
  throw ToolError("the value of " + field + " has a character the table's code page (" +
                  codec.page().name + ") cannot hold: " + missing);
}

double ParseDecimal(const std::string& text, const std::string& field) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0 || i != text.size()) throw ToolError("not a number for " + field + ": " + text);
  return std::stod(text);
}

std::string ParseDate(const std::string& text, const std::string& field) {
  if (text.empty()) return {};
  bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-';
  std::string ymd = shaped ? text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2) : "";
  if (IsoDate(ymd).empty()) throw ToolError("not a date (YYYY-MM-DD) for " + field + ": " + text);
  return ymd;
}

bool ParseLogical(const std::string& text, const std::string& field) {
  std::string t = text;
  for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (t == "T" || t == "Y" || t == "TRUE") return true;
  if (t == "F" || t == "N" || t == "FALSE") return false;
  throw ToolError("not a logical (T or F) for " + field + ": " + text);
}

// Memo text is kept with CR LF line ends, as the line reader expects.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

FieldValue ReadField(TextCodec& text, const engine::FieldDesc& field, int /*number*/) {
  const engine::WorkArea& wa = *engine::Current();
  const char* bytes = wa.raw.data() + field.offset;
  if (engine::IsNullValue(wa, field, wa.raw.data())) return Null();
  switch (field.storage) {
    case engine::Storage::kInt32LE:
    case engine::Storage::kInt32BE: return Number(std::to_string(engine::StoredInteger(field, bytes)));
    case engine::Storage::kCurrency: return Number(CurrencyText(engine::StoredCurrency(bytes)));
    case engine::Storage::kDoubleLE:
    case engine::Storage::kDoubleBE: {
      const double value = engine::StoredDouble(field, bytes);
      return std::isfinite(value) ? Number(JsonNumber(value)) : Null();
    }
    case engine::Storage::kDateTimeLE:
    case engine::Storage::kTimestampBE: {
      std::string moment = engine::DateTimeText(engine::StoredDateTime(field, bytes), 'T', true);
      return moment.empty() ? Null() : Text(std::move(moment));
    }
    case engine::Storage::kVarBytes: {
      const std::string_view value = engine::VarBytes(wa, field, wa.raw.data());
      return Text(field.stored_type == 'Q' ? Hex(value) : text.Decode(value));
    }
    default: break;
  }
  switch (field.type) {
    case 'C': return Text(text.Decode(StoredText(field)));
    case 'N':
    case 'F': {
      std::optional<std::string> value = StoredNumber(StoredField(field));
      return value ? Number(std::move(*value)) : Null();
    }
    case 'L': {
      const char letter = field.length > 0 ? StoredField(field)[0] : ' ';
      if (engine::IsTrue(letter)) return Logical(true);
      if (letter == 'F' || letter == 'f' || letter == 'N' || letter == 'n') return Logical(false);
      return Null();
    }
    case 'D': {
      std::string date = IsoDate(RawField(field));
      return date.empty() ? Null() : Text(std::move(date));
    }
    case 'M': return Text(text.Decode(engine::ReadMemoValue(MemoBlock(field), false)));
    default: return Null();
  }
}

std::string AsJson(const FieldValue& v) {
  switch (v.kind) {
    case FieldValue::Kind::kText: return JsonString(v.text);
    case FieldValue::Kind::kNumber: return v.text;
    case FieldValue::Kind::kLogical: return v.logical ? "true" : "false";
    default: return "null";
  }
}

FieldJsonWriter::FieldJsonWriter(TextCodec& text) : text_(text), by_table_(text.ascii_plain()) {
  for (const engine::FieldDesc& f : engine::Current()->fields) {
    const bool plain = f.storage == engine::Storage::kText && f.null_bit < 0;
    ways_.push_back(plain && f.type == 'C'            ? Way::kStoredText
                    : f.type == 'M' && f.null_bit < 0 ? Way::kMemo
                                                      : Way::kValue);
  }
  if (!by_table_) return;
  for (int c = 0; c < 256; ++c) {
    const std::string stored(1, static_cast<char>(c));
    std::string json = JsonString(text_.Decode(stored));
    json = json.substr(1, json.size() - 2);  // without its quotes
    JsonByte& entry = json_bytes_[static_cast<std::size_t>(c)];
    if (json == stored || json.size() > sizeof entry.text) continue;
    std::memcpy(entry.text, json.data(), json.size());
    entry.length = static_cast<uint8_t>(json.size());
  }
}

void FieldJsonWriter::AppendText(OutputBuffer& out, std::string_view stored) {
  if (!by_table_) {
    decoded_.clear();
    text_.DecodeInto(stored, decoded_);
    json_.clear();
    AppendJsonString(json_, decoded_);
    out.Append(json_);
    return;
  }
  // Room is asked for a slice at a time, as much as its bytes could take escaped and the quotes,
  // so that a long value needs no more than its slice's. An escape's text is copied whole (a
  // fixed size copies fastest) and only its length kept.
  constexpr std::size_t kSlice = 16 << 10;
  bool first = true;
  do {
    std::string_view slice = stored.substr(0, kSlice);
    stored.remove_prefix(slice.size());
    char* const start = out.Room(slice.size() * sizeof(JsonByte::text) + 2);
    char* at = start;
    if (first) *at++ = '"';
    first = false;
#if defined(__SSE2__)
    // Sixteen bytes are copied while they are looked at, and kept up to the first that is not
    // plain. The room left always takes sixteen: it is seven bytes for each byte left.
    while (slice.size() >= 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(slice.data()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
      const unsigned mask = JsonFlags16(v, true);
      if (mask == 0) {
        at += 16;
        slice.remove_prefix(16);
        continue;
      }
      // The byte that is not plain, and those right after it that are not either (a CR LF).
      auto used = static_cast<std::size_t>(std::countr_zero(mask));
      at += used;
      do {
        const JsonByte& entry = json_bytes_[static_cast<unsigned char>(slice[used])];
        std::memcpy(at, entry.text, sizeof entry.text);
        if (entry.length == 0) *at = slice[used];
        at += std::max<std::size_t>(entry.length, 1);
      } while (++used < 16 && (mask >> used & 1) != 0);
      slice.remove_prefix(used);
    }
    // The last few bytes one at a time, each as its text says (the byte itself or its escape).
    for (const char c : slice) {
      const JsonByte& entry = json_bytes_[static_cast<unsigned char>(c)];
      std::memcpy(at, entry.text, sizeof entry.text);
      if (entry.length == 0) *at = c;
      at += std::max<std::size_t>(entry.length, 1);
    }
#else
    while (!slice.empty()) {
      const std::size_t plain = JsonPlainPrefix(slice, true);
      std::memcpy(at, slice.data(), plain);
      at += plain;
      if (plain == slice.size()) break;
      const JsonByte& entry = json_bytes_[static_cast<unsigned char>(slice[plain])];
      std::memcpy(at, entry.text, sizeof entry.text);
      if (entry.length == 0) *at = slice[plain];
      at += std::max<std::size_t>(entry.length, 1);
      slice.remove_prefix(plain + 1);
    }
#endif
    if (stored.empty()) *at++ = '"';
    out.Advance(static_cast<std::size_t>(at - start));
  } while (!stored.empty());
}

void FieldJsonWriter::Append(OutputBuffer& out, const engine::FieldDesc& field, int number) {
  switch (ways_[static_cast<std::size_t>(number - 1)]) {
    case Way::kStoredText: AppendText(out, StoredText(field)); break;
    case Way::kMemo: {
      // Escaped from where the memo file's read-ahead holds it, not copied first.
      std::string_view value;
      engine::ViewMemoValue(engine::StoredMemoBlock(field), stored_, &value);
      AppendText(out, value);
      break;
    }
    default: out.Append(AsJson(ReadField(text_, field, number))); break;
  }
}

std::string AsText(const FieldValue& v) {
  switch (v.kind) {
    case FieldValue::Kind::kLogical: return v.logical ? "T" : "F";
    case FieldValue::Kind::kNull: return {};
    default: return v.text;
  }
}

std::vector<std::string> FieldNames(TextCodec& text) {
  std::vector<std::string> names;
  for (const engine::FieldDesc& f : engine::Current()->fields) names.push_back(text.Decode(f.name));
  return names;
}

std::vector<std::string> UniqueFieldNames(const std::vector<std::string>& names) {
  std::vector<std::string> keys;
  const auto taken = [&](const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
  };
  for (const std::string& name : names) {
    std::string key = name;
    for (int n = 2; taken(key); ++n) {
      key = name + "_" + std::to_string(n);
      if (std::find(names.begin(), names.end(), key) != names.end()) key = name;  // a field's own name
    }
    keys.push_back(key);
  }
  return keys;
}

namespace {

// The ten-thousandths of an amount written as a decimal (checked by ParseDecimal; empty is 0):
// nothing when it has more than 4 decimals that are not 0, or more than 64 bits hold.
std::optional<int64_t> TypedCurrency(const std::string& text) {
  int64_t units = 0;
  int decimals = -1;  // none before the point
  for (char c : text) {
    if (c == '.') {
      decimals = 0;
    } else if (c >= '0' && c <= '9') {
      if (decimals >= 4) {
        if (c != '0') return std::nullopt;
        continue;
      }
      if (units > (std::numeric_limits<int64_t>::max() - 9) / 10) return std::nullopt;
      units = units * 10 + (c - '0');
      if (decimals >= 0) ++decimals;
    }
  }
  for (int i = std::max(decimals, 0); i < 4; ++i) {
    if (units > std::numeric_limits<int64_t>::max() / 10) return std::nullopt;
    units *= 10;
  }
  return !text.empty() && text[0] == '-' ? -units : units;
}

// A number typed for a field kept as binary bytes, checked against what its bytes hold.
void CheckBinaryNumber(const Assignment& a, const std::string& text) {
  const std::string& field = a.desc.name;
  switch (a.desc.storage) {
    case engine::Storage::kInt32LE:
    case engine::Storage::kInt32BE:
      if (a.number != std::trunc(a.number) || a.number < -2147483648.0 || a.number > 2147483647.0)
        throw ToolError("the number for " + field + " is no whole number from -2147483648 to 2147483647: " + text);
      break;
    case engine::Storage::kCurrency:
      // The engine carries the amount as a double: refused unless that stores what was typed.
      if (const auto units = TypedCurrency(text); !units || *units != engine::CurrencyUnits(a.number))
        throw ToolError("the amount for " + field +
                        " cannot be stored as written (at most 4 decimals and 15 digits): " + text);
      break;
    default: break;
  }
}

}  // namespace

std::vector<Assignment> ParseAssignments(TextCodec& codec, const std::vector<std::string>& args) {
  std::vector<Assignment> out;
  for (const std::string& arg : args) {
    std::size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError("expected FIELD=VALUE, not: " + arg);
    std::string name = arg.substr(0, eq), text = arg.substr(eq + 1);
    Assignment a;
    std::string stored_name, missing;
    a.field = engine::FieldNo(codec.Encode(name, stored_name, missing) ? stored_name : name);
    if (a.field == 0) throw ToolError("the table has no field " + name);
    a.desc = engine::Current()->fields[static_cast<std::size_t>(a.field - 1)];
    const std::string field = codec.Decode(a.desc.name);
    if (a.desc.autoincrement)
      throw ToolError("the table counts the values of " + field + " up itself; they cannot be given");
    // An empty value is no value in a field that may hold none.
    a.null = text.empty() && a.desc.null_bit >= 0;
    switch (a.desc.storage) {
      case engine::Storage::kDateTimeLE:
      case engine::Storage::kTimestampBE:
        if (!engine::ParseDateTime(text))
          throw ToolError("not a date and time (YYYY-MM-DDTHH:MM:SS) for " + field + ": " + text);
        a.stored = engine::DateTimeText(*engine::ParseDateTime(text), 'T');
        out.push_back(std::move(a));
        continue;
      case engine::Storage::kVarBytes:
        if (a.desc.stored_type == 'Q') {
          if (text.size() % 2 != 0 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            throw ToolError("not hexadecimal bytes for " + field + ": " + text);
          for (std::size_t i = 0; i < text.size(); i += 2)
            a.stored += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
        } else {
          a.stored = StorableText(codec, text, field);
        }
        if (a.stored.size() > a.desc.length)
          throw ToolError("the value of " + field + " is longer than its " + std::to_string(a.desc.length) + " bytes");
        out.push_back(std::move(a));
        continue;
      default: break;
    }
    switch (a.desc.type) {
      case 'C':
        a.stored = StorableText(codec, text, field);
        if (a.stored.size() > a.desc.length)
          throw ToolError("the value of " + field + " is longer than its " +
                          std::to_string(a.desc.length) + " characters");
        break;
      case 'M': a.stored = StorableText(codec, WithCrLf(text), field); break;
      case 'N':
      case 'F':
        a.number = text.empty() ? 0 : ParseDecimal(text, field);
        if (a.desc.storage != engine::Storage::kText) {
          CheckBinaryNumber(a, text);
          break;
        }
        if (engine::FormatNumber(a.number, a.desc.length, a.desc.decimals).find('*') != std::string::npos)
          throw ToolError("the number for " + field + " does not fit its width of " +
                          std::to_string(a.desc.length) + " with " +
                          std::to_string(a.desc.decimals) + " decimals: " + text);
        if (a.desc.decimals == 0 && std::fabs(a.number) > 2147483647.0)
          throw ToolError("the number for " + field + " is beyond what a field without decimals holds here: " + text);
        break;
      case 'L':
        if (!a.null) a.logical = ParseLogical(text, field);
        break;
      case 'D': a.ymd = ParseDate(text, field); break;
      default: break;
    }
    out.push_back(std::move(a));
  }
  return out;
}

void Apply(const std::vector<Assignment>& assignments) {
  const engine::EngineSwitches& sw = engine::Switches();
  for (const Assignment& a : assignments) {
    char* slot = engine::FieldAddress(a.field);
    engine::SetFieldNull(a.field, a.null);
    switch (a.desc.type) {
      case 'C': {
        // A varchar's length byte is its value's; a text's the field's width (255 standing for
        // all of a wider one).
        const std::size_t width = a.desc.TextWidth();
        std::memset(slot + 1, ' ', width);
        std::memcpy(slot + 1, a.stored.data(), a.stored.size());
        const std::size_t length = a.desc.storage == engine::Storage::kVarBytes ? a.stored.size() : width;
        slot[0] = static_cast<char>(std::min<std::size_t>(length, 255));
        break;
      }
      case 'M': {
        if (a.null) {
          engine::StoreInt32(slot, 0);
          break;
        }
        // The memo file's own lock is held by other writers only for a moment, but the
        // engine gives up on it after a few tries: try again for as long as record locks wait.
        int32_t block = 0;
        RetryLock(
            [&] {
              try {
                block = engine::WriteMemoValue(a.stored, false);
                return true;
              } catch (const engine::ETavrinError&) {
                if (engine::LastError() != kCannotLockMemoFile) throw;
                return false;
              }
            },
            "the memo file");
        engine::StoreInt32(slot, block);
        break;
      }
      case 'N':
      case 'F':
        if (a.desc.TypedDouble())
          engine::StoreDouble(slot, a.number);
        else
          engine::StoreInt32(slot, static_cast<int32_t>(std::llround(a.number)));
        break;
      case 'L': slot[0] = a.logical ? 1 : 0; break;
      case 'D': {
        std::string shown = a.ymd.empty() ? std::string(sw.century ? 10 : 8, ' ')
                                          : engine::DisplayDate(a.ymd, sw.date_order, sw.century);
        slot[0] = static_cast<char>(shown.size());
        std::memcpy(slot + 1, shown.data(), shown.size());
        break;
      }
      default: break;
    }
  }
}

}  // namespace vornelle::tools
