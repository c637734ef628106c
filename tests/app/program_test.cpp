// The program's decisions: what closing does, when the day has changed, the error box's text.

#include <gtest/gtest.h>

#include "app/core/program.h"
#include "tests/app/app_fixture.h"

namespace vornelle::app {
namespace {

class Closing : public testing::AppTest {
 protected:
  CloseAction Decide(WindowGeometry live, int panel = 305) { return program_.DecideClose(live, panel); }
  Program program_{"Vornel.Ini"};
  const WindowGeometry start_{50, 50, 190, 153};
};

TEST_F(Closing, WhatTheWindowChangedDecides) {
  EXPECT_EQ(Decide(start_), CloseAction::kClose);
  EXPECT_EQ(Decide({60, 50, 190, 153}), CloseAction::kWritePosition);  // moved only
  EXPECT_EQ(Decide({50, 70, 190, 153}), CloseAction::kWritePosition);
  EXPECT_EQ(Decide({60, 70, 200, 153}), CloseAction::kAskToSave);  // resized (and moved)
  EXPECT_EQ(Decide({50, 50, 190, 160}), CloseAction::kAskToSave);
  EXPECT_EQ(Decide(start_, 200), CloseAction::kAskToSave);  // the splitter moved
  program_.settings.SettingsChanged = true;
  EXPECT_EQ(Decide(start_), CloseAction::kAskToSave);  // the options applied a change
}

TEST_F(Closing, AfterASaveOrAFailedStartNothingIsAskedOrWritten) {
  program_.settings.SettingsSaved = true;
  EXPECT_EQ(Decide({10, 10, 500, 500}, 10), CloseAction::kClose);
  program_.settings.SettingsSaved = false;
  program_.startup_failed = true;
  EXPECT_EQ(Decide({10, 10, 500, 500}, 10), CloseAction::kClose);
}

TEST(Program, DayChangesWhenTodayIsNotTheDayShown) {
  Program program("Vornel.Ini");
  EXPECT_TRUE(program.DayChanged({2024, 7, 4}));
  program.last_day_shown = platform::CalendarDate{2024, 7, 4};
  EXPECT_FALSE(program.DayChanged({2024, 7, 4}));
  EXPECT_TRUE(program.DayChanged({2024, 7, 5}));
  EXPECT_TRUE(program.DayChanged({2025, 7, 4}));
}

TEST(Program, ErrorTextsEndInAFullStopWhenTheirLastCharacterSortsAfterIt) {
  EXPECT_EQ(ErrorBoxText("Unable to write to /x/Vornel.Ini"), "Unable to write to /x/Vornel.Ini.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Why?"), "Why?.");  // '?' sorts after '.' too
  EXPECT_EQ(ErrorBoxText("Wow!"), "Wow!");  // '!' sorts before '.'
  EXPECT_EQ(ErrorBoxText("(1403)"), "(1403)");
  EXPECT_EQ(ErrorBoxText(""), "");
  EXPECT_EQ(ApplicationTitle(), "Vornelle v1.0");
  EXPECT_EQ(WindowCaption(), "Vornelle 1.0");
}

}  // namespace
}  // namespace vornelle::app
