#pragma once
// Dates as people type them into Go to Date: ISO ("2026-12-08", "2026-2-3"), the locale's short
// form with one- or two-digit day and month and a two- or four-digit year ("8.12.26",
// "12/8/2026"), and dates with a month's name, the locale's or English ("3 Feb 2026",
// "Dec 25, 2026", "Dienstag, 8. Dezember 2026"). A two-digit year is the nearest such year:
// within 50 years of today.

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

namespace vornelle::app {

// The date `text` names, read as above; nothing when it names none.
std::optional<QDate> ParseTypedDate(const QString& text, const QLocale& locale, const QDate& today);

// `date` as the box shows it for typing: the locale's short form with the year in four digits,
// so that it reads back as the same date.
QString DateForTyping(const QDate& date, const QLocale& locale);

}  // namespace vornelle::app
