#include "tests/app/app_fixture.h"

#include <unistd.h>

#include <climits>

#include "expr/expr.h"
#include "platform/locale.h"
#include "platform/message_box.h"

namespace vornelle::testing {

void AppTest::SetUp() {
  EngineTest::SetUp();
  platform::SetShortDateFormat(platform::PatternFromStrftime("%m/%d/%y"));
  expr::InstallExpressionUnit();
  platform::SetMessageBox([](std::string_view) {});
  char cwd[PATH_MAX];
  old_folder_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
  ASSERT_EQ(chdir(dir_.path().c_str()), 0);
}

void AppTest::TearDown() {
  EngineTest::TearDown();  // closes the tables before their folder goes
  if (chdir(old_folder_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << old_folder_;
  platform::SetMessageBox(nullptr);
}

void AppTest::Theme(const std::string& name, const std::vector<ThemeRecord>& records) {
  WriteTheme(dir_.File(name), records);
}

void AppTest::WriteSettings(const std::string& text) { WriteFileBytes(dir_.File("Vornel.Ini"), text); }

}  // namespace vornelle::testing
