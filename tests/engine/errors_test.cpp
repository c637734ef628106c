// The error routine: texts, the three ways of acting, and fetching the message.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/message_window.h"
#include "platform/message_box.h"
#include "tests/support/test_support.h"

namespace vornelle::engine {
namespace {

using testing::EngineTest;
using testing::RaisedMessage;

TEST(ErrorText, CodesReadAsTheTableSays) {
  EXPECT_EQ(ErrorText(18), "Error # 18 (Too many open files)");
  EXPECT_EQ(ErrorText(7), "Error # 7 (Undefined error)");
  EXPECT_EQ(ErrorText(1250), "Error # 1250 (Network Error)");
  EXPECT_EQ(ErrorText(1300), "Error # 1300 (File format not supported)");
  EXPECT_EQ(ErrorText(1301), "Error # 1301 (Table replaced since it was opened)");
  EXPECT_EQ(ErrorText(1302), "Error # 1302 (Undefined error)");
  EXPECT_EQ(ErrorText(227), "Error # 227 (Insufficient disk space )");
  EXPECT_EQ(ErrorText(101), "Error # 101 (Disk write error (probable cause: Disk Full).)");
  EXPECT_EQ(ErrorText(0), "");
  for (int code : {37, 99, 232, 255, 267, 1006, 1104})
    EXPECT_STREQ(ErrorTableText(code), "Undefined error") << code;
}

class ErrorRoutine : public EngineTest {};

TEST_F(ErrorRoutine, RaiseCarriesTextAndContext) {
  std::string message = RaisedMessage([] { Report(220, "Something [Here]"); });
  EXPECT_EQ(message, "Error # 220 (Invalid parameter)\r\nSomething [Here]");
  EXPECT_EQ(LastError(), 220);
  EXPECT_EQ(FetchMessage(), "");  // raising fetched it
}

TEST_F(ErrorRoutine, WithoutAutoCheckOnlyTheCodeStays) {
  SetAutoCheck(false);
  Report(212, "Out [GO]");
  EXPECT_EQ(LastError(), 212);
  EXPECT_EQ(FetchMessage(), "Error # 212 (Request beyond range)\r\nOut [GO]");
  EXPECT_EQ(FetchMessage(), "");
  EXPECT_EQ(LastError(), 212);  // fetching does not clear the last error code
}

TEST_F(ErrorRoutine, ContextIsCutAt255) {
  SetAutoCheck(false);
  Report(220, std::string(300, 'x'));
  EXPECT_EQ(ContextMessage().size(), 255u);
}

TEST_F(ErrorRoutine, MissingTableRaisesFileNotFoundWithItsFullName) {
  std::string message = RaisedMessage([&] { USE(dir_.File("nothere.dbf")); });
  EXPECT_EQ(message, "Error # 2 (File not found)\r\nFailure to open " + dir_.File("nothere.dbf") +
                         " [USE/OpenDbf]");
  EXPECT_EQ(Current(), nullptr);
}

TEST_F(ErrorRoutine, MissingFolderIsPathNotFound) {
  SetAutoCheck(false);
  USE(dir_.File("no/such/folder/t.dbf"));
  EXPECT_EQ(LastError(), 3);
}

using ErrorRoutineDeathTest = ErrorRoutine;

TEST_F(ErrorRoutineDeathTest, RunTimeFailureShowsTheBoxAndEndsWithTheCode) {
  SetRaise(false);
  std::string name = dir_.File("missing.dbf");
  EXPECT_EXIT(USE(name), ::testing::ExitedWithCode(2),
              "Program halted.\nError # 2 \\(File not found\\)\nFailure to open .*missing.dbf "
              "\\[USE/OpenDbf\\]");
}

struct Ended {
  int code;
};

TEST_F(ErrorRoutine, HaltShowsTheBoxOnceAndActsNoMore) {
  SetRaise(false);
  static std::string shown;
  shown.clear();
  auto old_box = platform::SetErrorMessageBox([](std::string_view caption, std::string_view text) {
    shown += std::string(caption) + "|" + std::string(text) + ";";
  });
  auto old_end = platform::SetEndProcess([](int code) { throw Ended{code}; });
  try {
    Report(5, "first");
    ADD_FAILURE() << "the process was not ended";
  } catch (const Ended& e) {
    EXPECT_EQ(e.code, 5);
  }
  EXPECT_TRUE(Halted());
  Report(6, "second");  // halted: nothing more is shown, nothing ends
  EXPECT_EQ(shown, "Program halted.|Error # 5 (File access denied)\r\nfirst;");
  platform::SetErrorMessageBox(old_box);
  platform::SetEndProcess(old_end);
}

class RecordingView : public MessageWindowView {
 public:
  void Show(std::string_view caption, std::string_view text) override {
    shown = std::string(caption) + ":" + std::to_string(text.size());
  }
  void Hide() override { shown = "hidden"; }
  std::string shown;
};

TEST(MessageWindows, ProgressBarShrinksAndRefills) {
  RecordingView view;
  SetMessageWindowView(&view);
  {
    TTzProgress100 progress("Indexing X...");
    for (int i = 0; i < 100; ++i) progress.Step();
    EXPECT_EQ(view.shown, "Indexing X...:0");
    progress.Step();
    EXPECT_EQ(progress.bar(), std::string(100, '|'));
  }
  EXPECT_EQ(view.shown, "hidden");
  EXPECT_EQ(TTzProgress100().caption(), "Progress");
  SetMessageWindowView(nullptr);
}

}  // namespace
}  // namespace vornelle::engine
