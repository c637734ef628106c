#include "app/gui/date_entry.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace vornelle::app {

namespace {

// The order of day, month and year in the locale's short format: "dmy", "mdy" or "ymd".
QString FieldOrder(const QLocale& locale) {
  QString order;
  for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
    const QChar field = c == 'd' ? 'd' : c == 'M' ? 'm' : c == 'y' ? 'y' : QChar();
    if (!field.isNull() && !order.contains(field)) order += field;
  }
  return order.size() == 3 ? order : QStringLiteral("dmy");
}

// A year as typed: four digits as they are; one or two the nearest year that ends in them.
std::optional<int> FullYear(const QString& digits, const QDate& today) {
  bool ok = false;
  const int value = digits.toInt(&ok);
  if (!ok) return std::nullopt;
  if (digits.size() == 4) return value;
  if (digits.size() > 2) return std::nullopt;
  const int century = today.year() / 100 * 100;
  int year = century + value;
  if (year > today.year() + 50) year -= 100;
  if (year <= today.year() - 50) year += 100;
  return year;
}

std::optional<QDate> Checked(int year, int month, int day) {
  const QDate date(year, month, day);
  return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// Three numbers, in the locale's order or ISO's.
std::optional<QDate> FromNumbers(const QStringList& numbers, const QString& order, const QDate& today) {
  if (numbers.size() != 3) return std::nullopt;
  const QString& first = numbers[0];
  // A four-digit first number is a year: year, month, day, whatever the locale writes.
  const QString fields = first.size() == 4 ? QStringLiteral("ymd") : order;
  int day = 0, month = 0;
  std::optional<int> year;
  for (int i = 0; i < 3; ++i) {
    if (fields[i] == 'y') {
      year = FullYear(numbers[i], today);
    } else if (numbers[i].size() > 2) {
      return std::nullopt;
    } else {
      (fields[i] == 'd' ? day : month) = numbers[i].toInt();
    }
  }
  return year ? Checked(*year, month, day) : std::nullopt;
}

// The month a word names: the locale's long or short name, standing alone or in a date, or
// the English one, whole or cut to at least three letters; 0 for none.
int MonthOfWord(const QString& word, const QLocale& locale) {
  const QString folded = word.toCaseFolded();
  if (folded.size() < 3) return 0;
  static const QLocale english(QLocale::English);
  for (const QLocale* names : {&locale, &english}) {
    for (int month = 1; month <= 12; ++month) {
      for (const QString& name : {names->monthName(month, QLocale::LongFormat), names->standaloneMonthName(month),
                                  names->monthName(month, QLocale::ShortFormat),
                                  names->standaloneMonthName(month, QLocale::ShortFormat)}) {
        QString plain = name.toCaseFolded();
        plain.remove('.');
        if (plain == folded || (plain.startsWith(folded) && folded.size() >= 3)) return month;
      }
    }
  }
  return 0;
}

// Whether a word is a day of the week's name, long or short, in the locale or in English:
// "mar." is Tuesday in French, not March.
bool IsWeekday(const QString& word, const QLocale& locale) {
  const QString folded = word.toCaseFolded();
  static const QLocale english(QLocale::English);
  for (const QLocale* names : {&locale, &english})
    for (int day = 1; day <= 7; ++day)
      for (const QString& name : {names->dayName(day, QLocale::LongFormat), names->dayName(day, QLocale::ShortFormat)}) {
        QString plain = name.toCaseFolded();
        plain.remove('.');
        if (plain == folded) return true;
      }
  return false;
}

// A date with its month's name: the month from the one word that names one, the year from a
// four-digit number (or a second number), the day from a number of one or two digits.
std::optional<QDate> FromWords(const QString& text, const QLocale& locale, const QDate& today) {
  static const QRegularExpression tokens(QStringLiteral("(\\d+)|(\\p{L}+)"));
  int month = 0;
  QStringList numbers;
  for (auto it = tokens.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch token = it.next();
    if (token.capturedLength(1) > 0) {
      numbers << token.captured(1);
    } else if (IsWeekday(token.captured(2), locale)) {
      continue;
    } else if (const int named = MonthOfWord(token.captured(2), locale); named != 0) {
      if (month != 0) return std::nullopt;  // two months
      month = named;
    }
  }
  if (month == 0 || numbers.size() != 2) return std::nullopt;
  // The year is the four-digit number, else the number after the day.
  const int year_at = numbers[0].size() == 4 ? 0 : 1;
  const QString& day = numbers[1 - year_at];
  const std::optional<int> year = FullYear(numbers[year_at], today);
  if (!year || day.size() > 2) return std::nullopt;
  return Checked(*year, month, day.toInt());
}

}  // namespace

std::optional<QDate> ParseTypedDate(const QString& text, const QLocale& locale, const QDate& today) {
  const QString typed = text.trimmed();
  static const QRegularExpression only_numbers(QStringLiteral("^\\d+(?:\\D\\d+)*\\D?$"));
  if (only_numbers.match(typed).hasMatch()) {
    static const QRegularExpression separators(QStringLiteral("\\D+"));
    return FromNumbers(typed.split(separators, Qt::SkipEmptyParts), FieldOrder(locale), today);
  }
  return FromWords(typed, locale, today);
}

QString DateForTyping(const QDate& date, const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
  return locale.toString(date, format);
}

}  // namespace vornelle::app
