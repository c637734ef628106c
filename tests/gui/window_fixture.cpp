#include "tests/gui/window_fixture.h"

#include <unistd.h>

#include <QPlainTextEdit>
#include <QTest>
#include <climits>

#include "engine/engine.h"
#include "expr/expr.h"
#include "platform/exception.h"
#include "platform/message_box.h"

namespace vornelle::testing {

namespace {
bool halted = false;
}  // namespace

CalendarSwitches::CalendarSwitches() {
  halted = false;
  platform::SetEndProcess([](int) {
    halted = true;
    throw platform::EAbort();
  });
  engine::SetRaise(false);
}

CalendarSwitches::~CalendarSwitches() {
  engine::SetRaise(true);
  platform::SetEndProcess(nullptr);
}

bool CalendarSwitches::Halted() const { return halted; }

bool WindowFixture::SetUp() {
  engine::ResetEngine();
  engine::SetAutoCheck(true);
  engine::SetRaise(true);
  expr::InstallExpressionUnit();
  folder_ = std::make_unique<QTemporaryDir>();
  char cwd[PATH_MAX];
  old_folder_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
  boxes_ = RecordingBoxes();
  help_ = RecordingHelp();
  clock_.Set(2024, 7, 4);
  return folder_->isValid() && chdir(folder_->path().toLocal8Bit().constData()) == 0;
}

bool WindowFixture::TearDown() {
  window_.reset();
  program_.reset();
  engine::ResetEngine();
  const bool back = chdir(old_folder_.c_str()) == 0;
  folder_.reset();
  return back;
}

void WindowFixture::Start() {
  program_ = std::make_unique<app::Program>();
  window_ = std::make_unique<app::TForm1>(*program_, boxes_, help_, clock_);
  window_->show();
  QTRY_VERIFY(window_->StartupDone() || !window_->isVisible());
}

std::string WindowFixture::Pane() const { return window_->JMsg()->toPlainText().toStdString(); }

}  // namespace vornelle::testing
