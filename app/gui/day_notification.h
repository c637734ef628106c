#pragma once
// The day's notification: its summary the date as the user's locale writes it, without the year
// ("Tuesday, 8 December"); its body each displayed theme's description and message.

#include <QDate>
#include <QLocale>
#include <QString>
#include <string>

#include "app/core/program.h"

namespace vornelle::app {

// The locale's long date with its year taken out together with the words and signs that go with
// the year alone: "8 de diciembre de 2026" loses " de 2026", "2026年12月8日" loses "2026年".
QString NotificationSummary(const QDate& date, const QLocale& locale = QLocale());

// Sends the notification of `date`'s messages of the program's displayed themes, without
// waiting for the server: `done` is called with an empty reason once it was delivered, or with
// the reason when nothing serves notifications. A theme that cannot be read raises.
void NotifyDay(const QDate& date, Program& program, Notifications& notifications, Notifications::Done done);

}  // namespace vornelle::app
