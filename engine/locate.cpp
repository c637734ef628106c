#include "engine/locate.h"

#include <charconv>
#include <optional>
#include <vector>

#include "engine/field_storage.h"
#include "engine/filter.h"
#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/navigation.h"
#include "engine/record_codec.h"
#include "engine/record_io.h"
#include "engine/table.h"
#include "platform/codepage.h"

namespace vornelle::engine {

namespace {

std::string Upper(std::string text) {
  platform::TextUpper(text.data(), text.size());
  return text;
}

// Field text is read as stored; it is compared as the records show it, so a search for an
// accented letter finds it in a table kept in the OEM code page.
std::string ShownText(const WorkArea& wa, std::string text) {
  TranslateForRead(wa, text.data(), text.size());
  return text;
}

// The shortest text of a number that reads back as the same double.
std::string NumberText(double value) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

// Whether a search reads the field's stored bytes as its text: otherwise (a value kept as
// binary bytes, a varchar, a value that may be null) it reads the value from the whole record.
bool SearchesStoredText(const FieldDesc& f) { return f.storage == Storage::kText && f.null_bit < 0; }

// The text a search compares for a field whose stored bytes are not its text: numbers in their
// shortest form, a date and time as YYYY-MM-DD HH:MM:SS, a varchar's value; blank for no value.
std::string ValueText(const WorkArea& wa, const FieldDesc& f, const char* record) {
  const char* bytes = record + f.offset;
  if (IsNullValue(wa, f, record)) return f.type == 'C' ? std::string(f.TextWidth(), ' ') : std::string();
  switch (f.storage) {
    case Storage::kText: return ShownText(wa, std::string(bytes, f.length));
    case Storage::kInt32LE:
    case Storage::kInt32BE: return NumberText(StoredInteger(f, bytes));
    case Storage::kCurrency:
    case Storage::kDoubleLE:
    case Storage::kDoubleBE: return NumberText(StoredDouble(f, bytes));
    case Storage::kDateTimeLE:
    case Storage::kTimestampBE: return DateTimeText(StoredDateTime(f, bytes));
    case Storage::kBlockLE: return std::to_string(StoredBlock(f, bytes));
    case Storage::kVarBytes: {
      const std::string_view value = VarBytes(wa, f, record);
      return f.stored_type == 'V' ? ShownText(wa, std::string(value)) : std::string(value);
    }
  }
  return {};
}

// An empty text is found in no memo, as with CONTAINED in a character field.
bool MemoContains(WorkArea& wa, int32_t block, const SearchState& search) {
  if (block == 0 || search.text.empty()) return false;
  MemoTextReader reader;
  if (reader.Open(&block) != 0) return false;
  std::string line;
  bool found = false;
  while (!found && reader.ReadLine(line)) {
    if (wa.oem) platform::OemToAnsi(line.data(), line.size());
    if (!search.case_sensitive) line = Upper(line);
    found = line.find(search.text) != std::string::npos;
  }
  reader.Close();
  return found;
}

bool FieldMatches(std::string text, const SearchState& search) {
  if (!search.exact && !search.contained) text.resize(std::min(text.size(), search.text.size()));
  if (!search.case_sensitive) text = Upper(text);
  if (search.contained) return !search.text.empty() && text.find(search.text) != std::string::npos;
  return text == search.text;
}

// The text of a key for a character or memo field.
std::string KeyText(const LocateKey& key) {
  if (const auto* text = std::get_if<std::string>(&key)) return *text;
  if (const auto* logical = std::get_if<bool>(&key)) return *logical ? "T" : "F";
  if (const auto* date = std::get_if<platform::CalendarDate>(&key)) {
    const EngineSwitches& sw = State().switches;
    return DisplayDate(StoredDateOf(date->year, date->month, date->day), sw.date_order, sw.century);
  }
  char number[64];
  const auto [end, ec] = std::to_chars(number, number + sizeof number, std::get<double>(key));
  return ec == std::errc() ? std::string(number, end) : std::string();
}

// The key as the field stores it, converted by the field's type whatever the key's own: N and F
// right-aligned in the field's width and decimals, D the eight stored digits (a text through
// the engine's date conversion), L "T" or "F". Character keys are blank-padded to the field's
// width, so that an exact search finds the text the record shows without its padding. Nothing
// when the key cannot be a value of the field (a text that is no number or no date).
std::optional<std::string> KeyAsFieldText(const LocateKey& key, const FieldDesc& field) {
  switch (field.type) {
    case 'N':
    case 'F': {
      std::optional<double> number;
      if (const auto* value = std::get_if<double>(&key)) number = *value;
      if (const auto* text = std::get_if<std::string>(&key)) number = WholeNumber(*text);
      if (const auto* logical = std::get_if<bool>(&key)) number = *logical ? 1 : 0;
      if (!number) return std::nullopt;
      if (field.storage != Storage::kText) return NumberText(*number);
      return FormatNumber(*number, field.length, field.decimals);
    }
    case 'D': {
      if (const auto* date = std::get_if<platform::CalendarDate>(&key))
        return StoredDateOf(date->year, date->month, date->day);
      const auto* text = std::get_if<std::string>(&key);
      if (!text) return std::nullopt;
      const std::string stored =
          StoredDate(*text, State().switches.date_order, platform::Today().year);
      // Blanks find the blank date; any other text that is no date finds nothing.
      if (stored == std::string(8, ' ') && !TrimBlanks(*text).empty()) return std::nullopt;
      return stored;
    }
    case 'L': {
      if (const auto* logical = std::get_if<bool>(&key)) return *logical ? "T" : "F";
      if (const auto* value = std::get_if<double>(&key)) return *value != 0 ? "T" : "F";
      if (const auto* text = std::get_if<std::string>(&key)) {
        const std::string_view t = TrimBlanks(*text);
        return !t.empty() && IsTrue(t.front()) ? "T" : "F";
      }
      return std::nullopt;
    }
    default: {
      std::string text = KeyText(key);
      if (field.type == 'C' && field.storage == Storage::kText && text.size() < field.length)
        text.resize(field.length, ' ');
      return text;
    }
  }
}

bool SearchOneField(std::string_view name, const LocateKey& key, bool case_insensitive,
                    bool exact) {
  std::string spec(Trim(name));
  spec = spec.substr(0, spec.find(' '));
  WorkArea* wa = Current();
  int number = wa ? FieldNo(spec) : 0;
  // A number is searched as the whole right-aligned field, or its leading blanks would never match.
  bool numeric = number > 0 && (wa->fields[number - 1].type == 'N' || wa->fields[number - 1].type == 'F');
  if (case_insensitive) spec += " NOCASE";
  if (exact || numeric) spec += " EXACT";
  State().search.text.clear();
  int field = ParseLocateField(spec);
  if (field == 0) return false;
  const std::optional<std::string> text =
      KeyAsFieldText(key, Current()->fields[static_cast<std::size_t>(field - 1)]);
  if (!text) return false;
  SetLocateText(*text);
  Locate(1, field);
  while (LastError() == 0 && !dEOF() && !RecordPasses(*Current())) Continue();
  return LastError() == 0 && !dEOF();
}

}  // namespace

int ParseLocateField(std::string_view text) {
  ClearLastError();
  WorkArea* wa = Guard("Locate/Count/Sum");
  if (!wa) return 0;
  std::string spec = UpperAscii(Trim(text));
  if (spec.empty()) {
    Report(220, "No field name specified [Locate/Count/Sum]");
    return 0;
  }
  SearchState& search = State().search;
  bool nocase = TakeOption(spec, " NOCASE");
  search.exact = TakeOption(spec, " EXACT");
  search.contained = TakeOption(spec, " CONTAINED");
  search.case_sensitive = !nocase;
  std::string name(Trim(spec));
  int field = FieldNo(name);
  if (field == 0) Report(220, "Unrecognized field name [Locate/Count/Sum(" + name + ")]");
  return field;
}

void SetLocateText(std::string_view text) { State().search.text = std::string(text); }

void Locate(int32_t start, int field) {
  EngineState& s = State();
  SearchState& search = s.search;
  ClearLastError();
  WorkArea* wa = Guard("Locate/Count/Sum");
  if (!wa) return;
  if (field < 1 || field > static_cast<int>(wa->fields.size())) {
    Report(220, "Invalid field number. [Locate/Count/Sum(" + std::to_string(field) + ")]");
    return;
  }
  const FieldDesc& f = wa->fields[static_cast<std::size_t>(field - 1)];
  if (f.type == 'M' && !s.memo.installed) {
    Report(220, "MEMO unit not linked in [Count/Sum/Continue]");
    return;
  }
  if (start == 1) {
    if (!search.exact) search.text = std::string(Trim(search.text));
    if (!search.case_sensitive) search.text = Upper(search.text);
    search.field = field;
  }
  int32_t count = RecCount();
  std::vector<char> record(SearchesStoredText(f) ? 0 : wa->record_length);
  for (int32_t n = std::max(start, 1); n <= count; ++n) {
    std::string stored;
    if (record.empty()) {
      stored = Peek(field, n);
    } else {
      std::size_t got = 0;
      const int rc = wa->file.ReadAt(wa->RecordPosition(n), record.data(), record.size(), &got);
      if (rc != 0 || got < record.size()) Report(rc != 0 ? rc : 213, FileContext(*wa) + " [Locate]");
    }
    if (LastError() != 0) return;
    bool match = false;
    if (f.type == 'M')
      match = MemoContains(*wa,
                           record.empty()                         ? ParseInteger(stored)
                           : IsNullValue(*wa, f, record.data()) ? 0
                                                                  : StoredBlock(f, record.data() + f.offset),
                           search);
    else
      match = FieldMatches(record.empty() ? ShownText(*wa, std::move(stored)) : ValueText(*wa, f, record.data()), search);
    if (match) {
      Go(n);
      return;
    }
  }
  GoBottom();
  // GoBottom leaves EOF set already when nothing passes; a Skip past it would be an error.
  if (LastError() == 0 && RecCount() > 0 && !dEOF()) Skip(1);
  search.field = 0;
}

void Continue() {
  ClearLastError();
  if (State().search.field == 0) {
    Report(220, "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
    return;
  }
  Locate(RecNo() + 1, State().search.field);
}

bool DatasetLocate(std::string_view fields, const std::vector<LocateKey>& keys,
                   bool case_insensitive, bool exact, bool move) {
  ClearLastError();
  WorkArea* wa = Current();
  if (!wa) {
    Guard("Locate/Count/Sum");
    return false;
  }
  int32_t remembered = wa->recno;
  RecordMovedFn hook = SetRecordMovedHook(nullptr);
  std::vector<std::string_view> names;
  for (std::size_t from = 0;;) {
    std::size_t semicolon = fields.find(';', from);
    names.push_back(fields.substr(from, semicolon == std::string_view::npos ? semicolon : semicolon - from));
    if (semicolon == std::string_view::npos) break;
    from = semicolon + 1;
  }
  bool found = false;
  try {
    for (std::size_t i = 0; i < names.size() && i < keys.size() && !found; ++i)
      found = SearchOneField(names[i], keys[i], case_insensitive, exact);
  } catch (...) {
    // A search that raised (an unknown field) still puts the record and the hook back.
    SafeGo(remembered);
    SetRecordMovedHook(hook);
    throw;
  }
  if (!found || !move) SafeGo(remembered);
  SetRecordMovedHook(hook);
  return found;
}

}  // namespace vornelle::engine
