#include "app/gui/day_notification.h"

#include <vector>

#include "app/core/day_messages.h"

namespace vornelle::app {

namespace {

// A date format as Qt writes it: fields (runs of one pattern letter) and the literal text
// between them, quoted or not.
struct FormatPart {
  QString text;
  bool field = false;
  QChar letter;
};

std::vector<FormatPart> Parts(const QString& format) {
  std::vector<FormatPart> parts;
  const auto literal = [&](const QString& text) {
    if (parts.empty() || parts.back().field) parts.push_back({QString(), false, QChar()});
    parts.back().text += text;
  };
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format[i];
    if (c == '\'') {
      // '' is a quote; else a quoted literal runs to the next lone quote, '' in it a quote.
      if (i + 1 < format.size() && format[i + 1] == '\'') {
        literal(QStringLiteral("'"));
        i += 2;
        continue;
      }
      QString text;
      qsizetype end = i + 1;
      for (; end < format.size(); ++end) {
        if (format[end] != '\'') {
          text += format[end];
        } else if (end + 1 < format.size() && format[end + 1] == '\'') {
          text += '\'';
          ++end;
        } else {
          break;
        }
      }
      literal(text);
      i = end + 1;
    } else if (c == 'd' || c == 'M' || c == 'y') {
      qsizetype end = i;
      while (end < format.size() && format[end] == c) ++end;
      parts.push_back({format.mid(i, end - i), true, c});
      i = end;
    } else {
      literal(QString(c));
      ++i;
    }
  }
  return parts;
}

}  // namespace

QString NotificationSummary(const QDate& date, const QLocale& locale) {
  std::vector<FormatPart> parts = Parts(locale.dateFormat(QLocale::LongFormat));
  for (std::size_t i = 0; i < parts.size();) {
    if (!parts[i].field || parts[i].letter != 'y') {
      ++i;
      continue;
    }
    // The year goes with the text on its far side from the day and month: the text after it
    // when it leads ("2026年"), else the text before it (" de 2026", ", 2026") and, when it
    // ends the date, whatever follows it (" г.").
    std::size_t first = i, last = i;
    const bool leads = i == 0 || (i == 1 && !parts[0].field);
    if (leads) {
      if (i + 1 < parts.size() && !parts[i + 1].field) last = i + 1;
    } else {
      if (!parts[i - 1].field) first = i - 1;
      bool ends = true;
      for (std::size_t j = i + 1; j < parts.size(); ++j) ends = ends && !parts[j].field;
      if (ends) last = parts.size() - 1;
    }
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(first), parts.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    i = first;
  }
  QString format;
  for (const FormatPart& part : parts) {
    if (part.field) {
      format += part.text;
      continue;
    }
    format += '\'' + QString(part.text).replace('\'', "''") + '\'';
  }
  return locale.toString(date, format).trimmed();
}

void NotifyDay(const QDate& date, Program& program, Notifications& notifications, Notifications::Done done) {
  const std::vector<ThemeMessage> messages =
      ReadDayMessages({date.year(), date.month(), date.day()}, program.themes, program.joketbl);
  notifications.Notify(NotificationSummary(date).toStdString(), NotificationBody(messages, false),
                       NotificationBody(messages, true), std::move(done));
}

}  // namespace vornelle::app
