#include "tests/dataset/dataset_fixture.h"

#include <cstring>

#include "expr/expr.h"
#include "platform/exception.h"
#include "platform/locale.h"
#include "platform/message_box.h"

namespace vornelle::testing {

std::vector<std::string>& DatasetTest::Messages() {
  static std::vector<std::string> messages;
  return messages;
}

void DatasetTest::SetUp() {
  EngineTest::SetUp();
  // Every test starts from the same date settings, whatever the machine's locale: MM/DD/YY.
  platform::SetShortDateFormat(platform::PatternFromStrftime("%m/%d/%y"));
  expr::InstallExpressionUnit();
  Messages().clear();
  platform::SetMessageBox([](std::string_view text) { Messages().emplace_back(text); });
  platform::ClearTerminateRequest();
}

void DatasetTest::TearDown() {
  platform::SetMessageBox(nullptr);
  EngineTest::TearDown();
}

std::string DatasetTest::MakeTheme(const std::string& name, const std::vector<ThemeRecord>& records) {
  const std::string path = dir_.File(name);
  WriteTheme(path, records);
  return path;
}

std::unique_ptr<dataset::TZuViv> DatasetTest::Component() {
  auto table = std::make_unique<dataset::TZuViv>();
  table->SetName("joketbl");
  table->SetDbfFields({"thedate, C, 4, 0", "thejoke, M, 10, 0"});
  table->SetTableLanguage(dataset::tlOem);
  return table;
}

std::unique_ptr<dataset::TZuViv> DatasetTest::Open(const std::string& path) {
  auto table = Component();
  table->SetDbfFileName(path);
  table->SetActive(true);
  return table;
}

std::vector<std::string> DatasetTest::Joke(dataset::TZuViv& table) {
  std::vector<std::string> lines;
  table.GetMField("THEJOKE", lines);
  return lines;
}

}  // namespace vornelle::testing
