#pragma once
// The day's notification: its summary the date as the user's locale writes it, without the year
// ("Tuesday, 8 December"); its body each displayed theme's description and message.

#include <QDate>
#include <QString>
#include <string>

#include "app/core/program.h"

namespace vornelle::app {

QString NotificationSummary(const QDate& date);

// Sends the notification of `date`'s messages of the program's displayed themes. False, with
// the reason in `why`, when nothing serves notifications; a theme that cannot be read raises.
bool NotifyDay(const QDate& date, Program& program, Notifications& notifications, std::string& why);

}  // namespace vornelle::app
