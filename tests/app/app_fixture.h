#pragma once
// The calendar core's tests: a fresh engine with the expression unit, a folder of its own that
// is the current folder for the test, and services that record what the core asks of the
// screen.

#include <deque>
#include <string>
#include <vector>

#include "app/core/services.h"
#include "tests/support/test_support.h"
#include "tests/support/themes.h"

namespace vornelle::testing {

class RecordingBoxes : public app::MessageBoxService {
 public:
  struct Box {
    std::string text;
    app::ScreenPoint at;
  };
  void Confirm(const std::string& text, app::ScreenPoint at) override { confirms.push_back({text, at}); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    const bool answer = answers.empty() ? false : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  std::size_t Choose(const std::string& text, const std::vector<std::string>& choices) override {
    questions.push_back(text);
    const std::size_t answer = choices_made.empty() ? choices.size() - 1 : choices_made.front();
    if (!choices_made.empty()) choices_made.pop_front();
    return answer;
  }
  void Error(const std::string& caption, const std::string& text) override {
    errors.push_back(caption + ": " + text);
  }
  void Inform(const std::string& text) override { informs.push_back(text); }
  std::vector<std::string> informs;
  std::vector<Box> confirms;
  std::vector<std::string> questions;
  std::deque<bool> answers;  // for AskYesNo, in turn; No when none is left
  std::deque<std::size_t> choices_made;  // for Choose, in turn; the last choice when none is left
  std::vector<std::string> errors;
};

class RecordingPane : public app::MessagePane {
 public:
  void Clear() override {
    lines.clear();
    ++clears;
  }
  void SetLines(const std::vector<std::string>& new_lines) override { lines = new_lines; }
  std::vector<std::string> lines;
  int clears = 0;
};

class FixedDate : public app::SelectedDate, public app::Clock {
 public:
  FixedDate(int year, int month, int day) : date_{year, month, day} {}
  platform::CalendarDate Date() const override { return date_; }
  platform::CalendarDate Today() const override { return date_; }
  void Set(int year, int month, int day) { date_ = {year, month, day}; }

 private:
  platform::CalendarDate date_;
};

class AppTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A theme table in the test's folder.
  void Theme(const std::string& name, const std::vector<ThemeRecord>& records);
  // The settings file of the test's folder, with these lines.
  void WriteSettings(const std::string& text);
  std::string Folder() const { return dir_.path(); }

  RecordingBoxes boxes_;
  RecordingPane pane_;

 private:
  std::string old_folder_;
};

}  // namespace vornelle::testing
