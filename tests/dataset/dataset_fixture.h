#pragma once
// The fixture of the component's tests: a fresh engine with the expression unit installed and
// errors raised, captured message boxes, and theme tables made through the engine.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dataset/zuviv.h"
#include "tests/support/test_support.h"
#include "tests/support/themes.h"

namespace vornelle::testing {

class DatasetTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The texts of the plain message boxes shown so far.
  static std::vector<std::string>& Messages();

  // Makes a theme table (THEDATE C(4), THEJOKE M(10), dBASE IV memos) with these records.
  std::string MakeTheme(const std::string& name, const std::vector<ThemeRecord>& records);
  // The component as the calendar sets it up: named joketbl, the two theme fields, OEM text.
  std::unique_ptr<dataset::TZuViv> Component();
  // The component opened on `path`.
  std::unique_ptr<dataset::TZuViv> Open(const std::string& path);
  // The memo lines GetMField gives for THEJOKE of the current record.
  static std::vector<std::string> Joke(dataset::TZuViv& table);
};

}  // namespace vornelle::testing
