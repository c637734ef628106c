#include "app/gui/day_notification.h"

#include <QLocale>
#include <QRegularExpression>

#include "app/core/day_messages.h"

namespace vornelle::app {

QString NotificationSummary(const QDate& date) {
  // The locale's long date with its year and the separator before it taken out.
  QString format = QLocale().dateFormat(QLocale::LongFormat);
  format.remove(QRegularExpression(QStringLiteral("[,\\s]*y+[\\.\\s]*")));
  return QLocale().toString(date, format.trimmed());
}

bool NotifyDay(const QDate& date, Program& program, Notifications& notifications, std::string& why) {
  const std::vector<ThemeMessage> messages =
      ReadDayMessages({date.year(), date.month(), date.day()}, program.themes, program.joketbl);
  return notifications.Notify(NotificationSummary(date).toStdString(), NotificationBody(messages, false),
                              NotificationBody(messages, true), why);
}

}  // namespace vornelle::app
