#include "tools/db/field_values.h"

#include <cmath>
#include <bit>
#include <cstring>
#include <string_view>

#include "engine/engine.h"
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

// A character field's text, without the spaces that pad it.
std::string_view StoredText(const engine::FieldDesc& field) {
  std::string_view stored = StoredField(field);
  return stored.substr(0, stored.find_last_not_of(' ') + 1);
}

int32_t MemoBlock(int number) { return engine::LoadInt32(engine::FieldAddress(number)); }

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

FieldValue ReadField(TextCodec& text, const engine::FieldDesc& field, int number) {
  FieldValue v;
  v.type = field.type;
  switch (field.type) {
    case 'C': v.text = text.Decode(StoredText(field)); break;
    case 'N':
    case 'F':
      v.number = engine::ParseNumber(RawField(field));
      v.integral = field.decimals == 0;
      break;
    case 'L': v.logical = engine::FieldAddress(number)[0] != 0; break;
    case 'D':
      v.text = IsoDate(RawField(field));
      v.null = v.text.empty();
      break;
    case 'M': v.text = text.Decode(engine::ReadMemoValue(MemoBlock(number), false)); break;
    default: break;
  }
  return v;
}

std::string AsJson(const FieldValue& v) {
  switch (v.type) {
    case 'N':
    case 'F': return JsonNumber(v.integral ? std::trunc(v.number) : v.number);
    case 'L': return v.logical ? "true" : "false";
    case 'D': return v.null ? "null" : JsonString(v.text);
    default: return JsonString(v.text);
  }
}

FieldJsonWriter::FieldJsonWriter(TextCodec& text) : text_(text), by_table_(text.ascii_plain()) {
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

void FieldJsonWriter::AppendText(std::string& out, std::string_view stored) {
  if (!by_table_) {
    decoded_.clear();
    text_.DecodeInto(stored, decoded_);
    AppendJsonString(out, decoded_);
    return;
  }
  out += '"';
  std::size_t plain = 0, i = 0;
  while (i < stored.size()) {
    // Printable ASCII that needs no escape is copied as it is, in the run, eight bytes at a
    // time; the scan goes straight to the first byte that is not.
    if (i + 8 <= stored.size()) {
      uint64_t eight;
      std::memcpy(&eight, stored.data() + i, 8);
      const uint64_t flagged = JsonNotPlain(eight);
      if (flagged == 0) {
        i += 8;
        continue;
      }
      i += static_cast<std::size_t>(std::countr_zero(flagged)) / 8;
    }
    const JsonByte& entry = json_bytes_[static_cast<unsigned char>(stored[i])];
    if (entry.length != 0) {
      out.append(stored.data() + plain, i - plain);
      out.append(entry.text, entry.length);
      plain = i + 1;
    }
    ++i;
  }
  out.append(stored.data() + plain, stored.size() - plain);
  out += '"';
}

void FieldJsonWriter::Append(std::string& out, const engine::FieldDesc& field, int number) {
  if (field.type == 'C') {
    AppendText(out, StoredText(field));
  } else if (field.type == 'M') {
    engine::ReadMemoValueInto(MemoBlock(number), false, stored_);
    AppendText(out, stored_);
  } else {
    out += AsJson(ReadField(text_, field, number));
  }
}

std::string AsText(const FieldValue& v) {
  switch (v.type) {
    case 'N':
    case 'F': return JsonNumber(v.integral ? std::trunc(v.number) : v.number);
    case 'L': return v.logical ? "T" : "F";
    default: return v.text;
  }
}

std::vector<Assignment> ParseAssignments(TextCodec& codec, const std::vector<std::string>& args) {
  std::vector<Assignment> out;
  for (const std::string& arg : args) {
    std::size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError("expected FIELD=VALUE, not: " + arg);
    std::string name = arg.substr(0, eq), text = arg.substr(eq + 1);
    Assignment a;
    a.field = engine::FieldNo(name);
    if (a.field == 0) throw ToolError("the table has no field " + name);
    a.desc = engine::Current()->fields[static_cast<std::size_t>(a.field - 1)];
    const std::string& field = a.desc.name;
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
        if (engine::FormatNumber(a.number, a.desc.length, a.desc.decimals).find('*') != std::string::npos)
          throw ToolError("the number for " + field + " does not fit its width of " +
                          std::to_string(a.desc.length) + " with " +
                          std::to_string(a.desc.decimals) + " decimals: " + text);
        if (a.desc.decimals == 0 && std::fabs(a.number) > 2147483647.0)
          throw ToolError("the number for " + field + " is beyond what a field without decimals holds here: " + text);
        break;
      case 'L': a.logical = ParseLogical(text, field); break;
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
    switch (a.desc.type) {
      case 'C':
        std::memset(slot + 1, ' ', a.desc.length);
        std::memcpy(slot + 1, a.stored.data(), a.stored.size());
        slot[0] = static_cast<char>(a.desc.length);
        break;
      case 'M': {
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
        if (a.desc.decimals > 0)
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
