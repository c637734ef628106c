// Date-time values and their text in the short date format.

#include <gtest/gtest.h>

#include "platform/datetime.h"
#include "platform/exception.h"

namespace vornelle::platform {
namespace {

class DateTimes : public ::testing::Test {
 protected:
  void TearDown() override { SetShortDateFormat(PatternFromStrftime("%m/%d/%y")); }
};

TEST_F(DateTimes, ValuesCountDaysFromTheEndOf1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61);
  EXPECT_EQ(EncodeDate(2024, 2, 29), 45351);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  const CalendarDate date = DecodeDate(45351.75);  // the time of day does not change the day
  EXPECT_EQ(date.year, 2024);
  EXPECT_EQ(date.month, 2);
  EXPECT_EQ(date.day, 29);
  EXPECT_EQ(DecodeDate(-0.25).day, 29);  // before midnight of day 0: the day before
  EXPECT_EQ(DecodeDate(1e9).year, 0);    // beyond the year 9999
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
}

TEST_F(DateTimes, DateStampsCountFromYearOne) {
  EXPECT_EQ(DateTimeToDateStamp(EncodeDate(1, 1, 1)), 1);
  EXPECT_EQ(DateTimeToDateStamp(0), 693594);
  EXPECT_EQ(DateStampToDateTime(DateTimeToDateStamp(45351.5)), 45351);
  EXPECT_EQ(DateTimeToDateStamp(-1e9), 0);
}

TEST_F(DateTimes, TextFollowsTheShortDateFormat) {
  const TDateTime day = EncodeDate(2024, 7, 4);
  SetShortDateFormat({"MM/dd/yyyy", '/'});
  EXPECT_EQ(DateToStr(day), "07/04/2024");
  SetShortDateFormat({"d.M.yy", '.'});
  EXPECT_EQ(DateToStr(day), "4.7.24");
  SetShortDateFormat({"yyyy-MM-dd", '-'});
  EXPECT_EQ(DateToStr(day), "2024-07-04");
  EXPECT_EQ(StrToDate("2024-07-04"), day);
  EXPECT_EQ(StrToDate(" 2024/7/4 "), day);  // any separator
}

TEST_F(DateTimes, ReadingTakesTheFormatsOrderAndWidensShortYears) {
  SetShortDateFormat({"dd.MM.yy", '.'});
  EXPECT_EQ(StrToDate("04.07.24"), EncodeDate(2024, 7, 4));
  TDateTime value = 0;
  ASSERT_TRUE(TryStrToDate("1.2", &value));  // no year: this year
  EXPECT_EQ(DecodeDate(value).year, Today().year);
  // Two-digit years lie in the hundred years from 70 years ago.
  ASSERT_TRUE(TryStrToDate(("1.1." + std::to_string((Today().year - 70) % 100)).c_str(), &value));
  EXPECT_EQ(DecodeDate(value).year, Today().year - 70);
  for (const char* bad : {"", "31.02.2024", "1.2.3.4", "July 4", "12345.1.1", "0.0.0"})
    EXPECT_FALSE(TryStrToDate(bad, &value)) << bad;
  try {
    StrToDate("nonsense");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'nonsense' is not a valid date");
  }
}

}  // namespace
}  // namespace vornelle::platform
