#pragma once
// The calendar window's tests: a folder of their own as the current folder, a fresh engine, and
// the window over that folder with services that record what it shows. A test class derives
// from QObject and this, calls SetUp in init() and TearDown in cleanup().

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/core/program.h"
#include "app/gui/main_window.h"
#include "tests/app/app_fixture.h"
#include "tests/support/themes.h"

namespace vornelle::testing {

class RecordingHelp : public app::HelpViewer {
 public:
  bool Open(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;
};

// The engine's switches as the running calendar keeps them, where a failure halts the program:
// for the time of the scope a halt is recorded, and ends only the operation under way.
class CalendarSwitches {
 public:
  CalendarSwitches();
  ~CalendarSwitches();
  CalendarSwitches(const CalendarSwitches&) = delete;
  CalendarSwitches& operator=(const CalendarSwitches&) = delete;
  bool Halted() const;
};

class WindowFixture {
 protected:
  // False when the folder could not be made or entered.
  bool SetUp();
  bool TearDown();
  // Makes and shows the window over a new program, and waits for its start-up.
  void Start();

  QString File(const char* name) const { return folder_->filePath(name); }
  std::string Path(const char* name) const { return File(name).toStdString(); }
  void Theme(const char* name, const std::vector<ThemeRecord>& records) { WriteTheme(Path(name), records); }
  void Settings(const std::string& text) { WriteFileBytes(Path("Vornel.Ini"), text); }
  std::string Pane() const;

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<app::Program> program_;
  RecordingBoxes boxes_;
  RecordingHelp help_;
  FixedDate clock_{2024, 7, 4};
  std::unique_ptr<app::TForm1> window_;

 private:
  std::string old_folder_;
};

}  // namespace vornelle::testing
