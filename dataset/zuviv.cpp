#include "dataset/zuviv.h"

#include <cstring>

#include "dataset/messages.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/exception.h"
#include "platform/format.h"

namespace vornelle::dataset {

namespace {

struct Expectation {
  char letter;
  const char* word;
};

constexpr Expectation kExpected[] = {
    {'C', "character"}, {'D', "date"}, {'L', "logical"}, {'M', "memo"},
    {'N', "numeric, without decimals"}, {'R', "numeric, with decimals"},
};

bool Matches(char expected, char type, int decimals) {
  const bool numeric = type == 'N' || type == 'F';
  switch (expected) {
    case 'N': return numeric && decimals == 0;
    case 'R': return numeric && decimals != 0;
    default: return type == expected;
  }
}

std::string Description(char type, int width, int decimals) {
  switch (type) {
    case 'C': return "Character";
    case 'D': return "Date";
    case 'L': return "Logical";
    case 'M': return "Memo";
    default:
      return "Numeric, width: " + std::to_string(width) + " decimals: " + std::to_string(decimals);
  }
}

}  // namespace

int TZuViv::CheckField(const std::string& operation, const std::string& name, char expected) {
  SelectWorkArea(operation);
  const int number = engine::FieldNo(name);
  if (number == 0) {
    const std::string file = engine::Current()->file_name;
    engine::Report(220, platform::OemToAnsi(platform::Format(msg::kFieldNotInTable, name.c_str(),
                                                             file.c_str())) +
                            " [" + operation + "]");
    return 0;
  }
  SyncCursor();
  SelectWorkArea(operation);
  const char type = engine::FieldType(number);
  const int decimals = engine::FieldDec(number);
  if (Matches(expected, type, decimals)) return number;
  const char* word = "";
  for (const Expectation& e : kExpected)
    if (e.letter == expected) word = e.word;
  const std::string actual = Description(type, engine::FieldLen(number), decimals);
  engine::Report(220, platform::OemToAnsi(platform::Format(msg::kFieldTypeExpected, operation.c_str(),
                                                           name.c_str(), word, name.c_str(),
                                                           actual.c_str())));
  return 0;
}

void TZuViv::GetMField(const std::string& name, std::vector<std::string>& lines) {
  // Whatever fails below leaves the list empty, also when the failure raises.
  lines.clear();
  const std::string field = name.substr(0, 10);
  const int number = CheckField("GetMField", field, 'M');
  if (number == 0) return;
  int32_t block = 0;
  std::memcpy(&block, engine::FieldAddress(number), 4);
  MemoToLines(block, lines, TableLanguage() == tlOem);
}

void TZuViv::MemoToLines(int32_t block, std::vector<std::string>& lines, bool translate) {
  lines.clear();
  if (block == 0) return;
  SelectWorkArea("MemoToLines");
  engine::MemoTextReader reader;
  if (const int result = reader.Open(&block); result != 0)
    throw platform::EInOutError(platform::Format("I/O error %d", result), result);
  std::string line;
  while (reader.ReadLine(line)) {
    if (translate) platform::OemToAnsi(line.data(), line.size());
    lines.push_back(line);
  }
  reader.Close();
}

}  // namespace vornelle::dataset
