// Dates: day numbers, the date functions in every date order and language, and the start-up
// settings taken from the locale.

#include <string>

#include "platform/locale.h"
#include "tests/expr/expr_fixture.h"

namespace vornelle::expr {
namespace {

using Dates = ExprTest;

TEST_F(Dates, DayNumbersOfTheProlepticGregorianCalendar) {
  EXPECT_EQ(DayNumber(1, 1, 1), 1721426);
  EXPECT_EQ(DayNumber(2000, 1, 1), 2451545);
  EXPECT_EQ(DayNumber(9999, 12, 31), kLastDay);
  EXPECT_EQ(DayNumberFromYmd("20000229"), DayNumber(2000, 3, 1) - 1);
  for (const char* invalid : {"19000229", "00001231", "        ", "20001301", "20000100", "20000431",
                              "2000-1-1", "abcdefgh", "2000"})
    EXPECT_EQ(DayNumberFromYmd(invalid), kBlankDate) << invalid;
  EXPECT_EQ(DayNumberFromYmd("   10101"), DayNumber(1, 1, 1)) << "blanks before the digits";
  EXPECT_EQ(DayNumberFromYmd("2000 1 1"), DayNumber(2000, 1, 1));
  // Every day from 1599 to 2401 survives the round trip, and consecutive days are consecutive.
  double previous = DayNumber(1599, 1, 1) - 1;
  for (int y = 1599; y <= 2401; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= engine::DaysInMonth(y, m); ++d) {
        double n = DayNumber(y, m, d);
        ASSERT_EQ(n, previous + 1) << y << "-" << m << "-" << d;
        CivilDate back;
        ASSERT_TRUE(CivilFromDay(n + 0.75, &back));
        ASSERT_TRUE(back.year == y && back.month == m && back.day == d) << y << "-" << m << "-" << d;
        previous = n;
      }
  CivilDate out;
  EXPECT_TRUE(CivilFromDay(kFirstDay, &out));
  EXPECT_EQ(out.year, 1);
  EXPECT_FALSE(CivilFromDay(kFirstDay - 1, &out));
  EXPECT_FALSE(CivilFromDay(kLastDay + 1, &out));
  EXPECT_FALSE(CivilFromDay(kBlankDate, &out));
  EXPECT_EQ(YmdFromDayNumber(kLastDay), "99991231");
  EXPECT_EQ(YmdFromDayNumber(-5), "        ");
}

TEST_F(Dates, DtocInEveryDateOrder) {
  const double day = DayNumber(2024, 3, 7);
  struct Case {
    int order;
    const char* short_year;
    const char* long_year;
    const char* blank;
  } cases[] = {
      {0, "03/07/24", "03/07/2024", "  /  /  "}, {1, "24.03.07", "2024.03.07", "  .  .  "},
      {2, "07/03/24", "07/03/2024", "  /  /  "}, {3, "07-03-24", "07-03-2024", "  -  -  "},
      {4, "07.03.24", "07.03.2024", "  .  .  "}, {5, "07.03.24", "07.03.2024", "  .  .  "},
      {6, "07.03.24", "07.03.2024", "  .  .  "}, {7, "07.03.24", "07.03.2024", "  .  .  "},
      {8, "07/03/24", "07/03/2024", "  /  /  "},
  };
  for (const Case& c : cases) {
    engine::Switches().date_order = static_cast<uint8_t>(c.order);
    engine::Switches().century = false;
    EXPECT_EQ(Dtoc(day), c.short_year) << c.order;
    EXPECT_EQ(Dtoc(kBlankDate), c.blank) << c.order;
    engine::Switches().century = true;
    EXPECT_EQ(Dtoc(day), c.long_year) << c.order;
    std::string blank = c.blank;
    blank.insert(c.order == 1 ? 0 : blank.size(), "  ");
    EXPECT_EQ(Dtoc(kBlankDate), blank) << c.order;
    // CTOD reads what DTOC wrote.
    EXPECT_EQ(Number("CTOD(DTOC(CTOD(\"" + std::string(c.long_year) + "\")))"), day) << c.order;
  }
}

TEST_F(Dates, CtodAndDtos) {
  EXPECT_EQ(Text("DTOS(CTOD(\"13/45/2000\"))"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD(\"02/29/2000\"))"), "20000229");
  EXPECT_EQ(Text("DTOS(CTOD(\"02/29/1900\"))"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD(\"12/31/1999 and more\"))"), "19991231");
  EXPECT_EQ(Text("DTOS(CTOD(\"\"))"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD(\"1/2/2000\"))"), "        ");
  // Two-digit years fall in the window that starts 70 years before this year.
  int year = platform::Today().year;
  std::string yy = std::to_string((year - 1) % 100 + 100).substr(1);
  EXPECT_EQ(Text("DTOS(CTOD(\"01/01/" + yy + "\"))"), std::to_string(year - 1) + "0101");
  engine::Switches().date_order = 2;
  EXPECT_EQ(Text("DTOS(CTOD(\"31/12/1999\"))"), "19991231");
  engine::Switches().date_order = 1;
  EXPECT_EQ(Text("DTOS(CTOD(\"1999.12.31\"))"), "19991231");
}

TEST_F(Dates, CtodReadsTheYearAsWritten) {
  // A two-digit year followed by blanks, as a C(10) field holds it, is still a date.
  EXPECT_EQ(Text("DTOS(CTOD(\"03/07/24  \"))"), "20240307");
  EXPECT_EQ(Text("DTOS(CTOD(\"03/07/24 \"))"), "20240307");
  EXPECT_EQ(Text("DTOS(CTOD(\"03/07/2024\"))"), "20240307");
  EXPECT_EQ(Text("DTOS(CTOD(\"03/07/245 \"))"), "        ");
  EXPECT_EQ(Text("DTOS(CTOD(\"  /  /    \"))"), "        ");
  PeopleTable({{"03/07/24"}, {"03/07/2024"}, {"3/7/24"}});
  EXPECT_EQ(Text("DTOS(CTOD(NAME))"), "20240307");
  engine::Skip(1);
  EXPECT_EQ(Text("DTOS(CTOD(NAME))"), "20240307");
  engine::Skip(1);
  EXPECT_EQ(Text("DTOS(CTOD(NAME))"), "        ");
  // The year comes first in order 1; the century switch does not matter to CTOD.
  engine::Switches().date_order = 1;
  engine::Switches().century = true;
  EXPECT_EQ(Text("DTOS(CTOD(\"24.03.07  \"))"), "20240307");
  EXPECT_EQ(Text("DTOS(CTOD(\"2024.03.07\"))"), "20240307");
}

TEST_F(Dates, DateParts) {
  EXPECT_EQ(Number("DAY(CTOD(\"02/29/2000\"))"), 29);
  EXPECT_EQ(Number("MONTH(CTOD(\"02/29/2000\"))"), 2);
  EXPECT_EQ(Number("YEAR(CTOD(\"02/29/1999\"))"), 0) << "blank";
  EXPECT_EQ(Number("YEAR(CTOD(\"02/29/2096\"))"), 96) << "two digits without the century";
  engine::Switches().century = true;
  EXPECT_EQ(Number("YEAR(CTOD(\"02/29/2096\"))"), 2096);
  EXPECT_EQ(Number("DOW(CTOD(\"01/01/2000\"))"), 7);
  EXPECT_EQ(Number("DOW(CTOD(\"01/02/2000\"))"), 1);
  EXPECT_EQ(Number("DOW(CTOD(\"01/01/1900\"))"), 2);
  EXPECT_EQ(Number("DOW(CTOD(\"\"))"), 0);
  EXPECT_EQ(Number("DAY(CTOD(\"\")) + MONTH(CTOD(\"\"))"), 0);
}

TEST_F(Dates, DateArithmetic) {
  EXPECT_EQ(Text("DTOC(CTOD(\"03/01/2000\") - 1)"), "02/29/00");
  EXPECT_EQ(Text("DTOC(1 + CTOD(\"12/31/1999\"))"), "01/01/00");
  EXPECT_EQ(Text("DTOC(CTOD(\"12/31/1999\") + 366)"), "12/31/00");
  EXPECT_EQ(Number("CTOD(\"01/01/2001\") - CTOD(\"01/01/2000\")"), 366);
  EXPECT_TRUE(Logical("CTOD(\"01/01/2001\") > CTOD(\"12/31/2000\")"));
  EXPECT_TRUE(Logical("CTOD(\"\") = CTOD(\"99/99/99\")"));
  EXPECT_EQ(Text("DTOS(MAX(CTOD(\"01/02/2000\"), CTOD(\"01/01/2000\")))"), "20000102");
  EXPECT_EQ(Eval("MIN(CTOD(\"01/02/2000\"), CTOD(\"01/01/2000\"))").type, 'D');
  EXPECT_EQ(Text("DTOC(CTOD(\"\") + 5)"), "  /  /  ");
  EXPECT_EQ(Number("DATE()"), TodayDayNumber());
}

TEST_F(Dates, WeekdayAndMonthNamesByLanguage) {
  // 1 January 2000 was a Saturday; months are taken in February, March and September.
  struct Case {
    int order;
    std::string saturday, february, march, september;
  } cases[] = {
      {0, "Saturday ", "February ", "March    ", "September"},
      {1, "Saturday ", "February ", "March    ", "September"},
      {2, "Saturday ", "February ", "March    ", "September"},
      {3, "Sabato   ", "Febbraio ", "Marzo    ", "Settembre"},
      {4, "Samedi  ", "F\x82vrier  ", "Mars     ", "Septembre"},
      {7, "Samedi  ", "F\x82vrier  ", "Mars     ", "Septembre"},
      {5, "Samstag   ", "Februar  ", "M\x84rz     ", "September"},
      {6, "Sabado   ", "Febrero   ", "Marzo     ", "Septiembre"},
      {8, "\x91\xE3\xA1\xA1\xAE\xE2\xA0    ", "\x94\xA5\xA2\xE0\xA0\xAB\xEC ", "\x8C\xA0\xE0\xE2    ",
       "\x91\xA5\xAD\xE2\xEF\xA1\xE0\xEC"},
  };
  const double saturday = DayNumber(2000, 1, 1);
  for (const Case& c : cases) {
    engine::Switches().date_order = static_cast<uint8_t>(c.order);
    EXPECT_EQ(Cdow(saturday), c.saturday) << c.order;
    EXPECT_EQ(Cmonth(DayNumber(2000, 2, 10)), c.february) << c.order;
    EXPECT_EQ(Cmonth(DayNumber(2000, 3, 10)), c.march) << c.order;
    EXPECT_EQ(Cmonth(DayNumber(2000, 9, 10)), c.september) << c.order;
    EXPECT_EQ(Cdow(kBlankDate), std::string(10, ' ')) << c.order;
    EXPECT_EQ(Cmonth(kBlankDate), std::string(9, ' ')) << c.order;
  }
  engine::Switches().date_order = 8;
  EXPECT_EQ(Cdow(DayNumber(2000, 1, 3)), "\x8F\xAE\xAD\xA5\xA4\xA5\xAB\xEC\xAD\xA8\xAA");  // Monday
  engine::Switches().date_order = 4;
  EXPECT_EQ(Cmonth(DayNumber(2000, 8, 1)), "Ao\x96t     ");
  EXPECT_EQ(Cmonth(DayNumber(2000, 12, 1)), "D\x82" "cembre ");
  engine::Switches().date_order = 0;
  EXPECT_EQ(Text("CDOW(CTOD(\"01/05/2000\")) + CMONTH(CTOD(\"01/05/2000\"))"), "WednesdayJanuary  ");
}

TEST_F(Dates, DateFieldsAreReadFromTheDisplayForm) {
  engine::Switches().century = true;
  engine::Switches().date_order = 5;
  PeopleTable({{"A", 0, 0, "19991231"}, {"B", 0, 0, ""}});
  EXPECT_EQ(Text("DTOS(BORN)"), "19991231");
  EXPECT_EQ(Text("DTOC(BORN)"), "31.12.1999");
  engine::Skip(1);
  EXPECT_EQ(Text("DTOS(BORN)"), "        ");
  EXPECT_TRUE(Logical("BORN = CTOD(\"\")"));
}

// ---- Start-up ----

class StartUp : public testing::EngineTest {};

TEST_F(StartUp, InstallsTheHooks) {
  engine::ParserHooks& hooks = engine::State().parser;
  InstallExpressionUnit();
  EXPECT_TRUE(hooks.linked);
  ASSERT_TRUE(hooks.compile && hooks.release && hooks.evaluate && hooks.counted_to_text &&
              hooks.evaluate_key);
  EXPECT_EQ(hooks.counted_to_text("\x03" "abcdef"), "abc");
  engine::ExprHandle handle = hooks.compile("1 + 1 = 2");
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(*static_cast<const char*>(hooks.evaluate(handle)), 1);
  engine::State().key_expression = handle;
  EXPECT_EQ(*static_cast<const char*>(hooks.evaluate_key()), 1);
  engine::State().key_expression = nullptr;
  hooks.release(&handle, 1);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(hooks.evaluate(nullptr), nullptr);
}

TEST_F(StartUp, DateSettingsFollowTheShortDateFormat) {
  struct Case {
    platform::ShortDateFormat locale;
    bool century;
    int order;
    platform::ShortDateFormat replaced;
  } cases[] = {
      {{"M/d/yyyy", '/'}, true, 0, {"MM/dd/yyyy", '/'}},
      {{"MM/dd/yy", '/'}, false, 0, {"MM/dd/yy", '/'}},
      {{"yyyy-MM-dd", '-'}, true, 1, {"yyyy.MM.dd", '.'}},
      {{"dd/MM/yyyy", '/'}, true, 2, {"dd/MM/yyyy", '/'}},
      {{"d-M-yy", '-'}, false, 3, {"dd-MM-yy", '-'}},
      {{"dd.MM.YYYY", '.'}, true, 5, {"dd.MM.yyyy", '.'}},
      {{"ddMMyy", ' '}, false, 2, {"dd/MM/yy", '/'}},
      {{"%x", '/'}, false, 0, {"MM/dd/yy", '/'}},
  };
  for (const Case& c : cases) {
    platform::SetShortDateFormat(c.locale);
    InstallExpressionUnit();
    EXPECT_EQ(engine::Switches().century, c.century) << c.locale.pattern;
    EXPECT_EQ(engine::Switches().date_order, c.order) << c.locale.pattern;
    platform::ShortDateFormat now = platform::GetShortDateFormat();
    EXPECT_EQ(now.pattern, c.replaced.pattern) << c.locale.pattern;
    EXPECT_EQ(now.separator, c.replaced.separator) << c.locale.pattern;
  }
  platform::SetShortDateFormat({"MM/dd/yy", '/'});
  platform::NumberSeparators numbers = platform::GetNumberSeparators();
  EXPECT_EQ(engine::Switches().decimal_separator, numbers.decimal);
  EXPECT_EQ(engine::Switches().thousands_separator, numbers.thousands);
}

}  // namespace
}  // namespace vornelle::expr
