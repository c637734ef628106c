#include "app/gui/appearance.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>

// The icons are compiled into the library; a static library must register them itself.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace vornelle::app {

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QFont InstalledFont(const std::string& family, int points, FontStyles styles) {
  const QString name = QString::fromStdString(family);
  QFont font = QFontDatabase::families().contains(name, Qt::CaseInsensitive) ? QFont(name)
                                                                             : QApplication::font();
  if (points > 0) font.setPointSize(points);
  font.setBold(styles & fsBold);
  font.setItalic(styles & fsItalic);
  font.setUnderline(styles & fsUnderline);
  font.setStrikeOut(styles & fsStrikeOut);
  return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

namespace {

double RelativeLuminance(const QColor& colour) {
  auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void ApplyCalendarColourSlots(QCalendarWidget* calendar, const Settings& s) {
  const QString month_back = ToQColor(s.CMBC).name();
  const QString text = ToQColor(s.CalFC).name();
  const QString title_back = ToQColor(s.CTBC).name();
  const QString title_text = ToQColor(s.CTTC).name();
  calendar->setStyleSheet(
      QString("QCalendarWidget { background-color: %1; }"
              "QCalendarWidget QAbstractItemView { background-color: %2; color: %3;"
              " selection-background-color: %4; selection-color: %2; }"
              "QCalendarWidget #qt_calendar_navigationbar { background-color: %4; }"
              "QCalendarWidget #qt_calendar_navigationbar QToolButton { color: %5;"
              " background-color: %4; }"
              "QCalendarWidget #qt_calendar_navigationbar QSpinBox { color: %5;"
              " background-color: %4; }")
          .arg(kTeal.name(), month_back, text, title_back, title_text));
  // Every weekday in the calendar's text colour (the calendar would make the weekend red).
  QTextCharFormat day_format;
  day_format.setForeground(ToQColor(s.CalFC));
  for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
    calendar->setWeekdayTextFormat(static_cast<Qt::DayOfWeek>(day), day_format);
  // The weekday names stand on the month's background too, not the style's grey.
  QTextCharFormat header = calendar->headerTextFormat();
  header.setBackground(ToQColor(s.CMBC));
  header.setForeground(ToQColor(s.CalFC));
  calendar->setHeaderTextFormat(header);
  // The days of the neighbouring months are drawn in the view's disabled text colour.
  QPalette palette = calendar->palette();
  palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(s.CTTTC));
  calendar->setPalette(palette);
  for (QWidget* child : calendar->findChildren<QWidget*>()) {
    QPalette child_palette = child->palette();
    child_palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(s.CTTTC));
    child->setPalette(child_palette);
  }
}

void ApplyCalendarFont(QCalendarWidget* calendar, const Settings& s) {
  calendar->setFont(InstalledFont(s.CalFN, s.CalFS, s.calendar_style));
}

void ApplyPaneFont(QPlainTextEdit* pane, const Settings& s) {
  pane->setFont(InstalledFont(s.JMsgFN, s.JMsgFS, s.pane_style));
  QPalette palette = pane->palette();
  palette.setColor(QPalette::Text, ToQColor(s.JMsgFC));
  pane->setPalette(palette);
}

QIcon ProgramIcon() {
  static const bool registered = (RegisterResources(), true);
  (void)registered;
  return QIcon(":/icons/vornelle.svg");
}

QIcon ToolIcon(const char* theme_name, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(theme_name, QApplication::style()->standardIcon(fallback));
}

}  // namespace vornelle::app
