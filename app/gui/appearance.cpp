#include "app/gui/appearance.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPlainTextEdit>
#include <QTextCharFormat>

// The icons are compiled into the library; a static library must register them itself.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace vornelle::app {

void ApplyCalendarColourSlots(QCalendarWidget* calendar, const Settings& s, const QColor& surround,
                              const QColor& selected_text) {
  const QString month_back = ToQColor(s.CMBC).name();
  const QString selected = selected_text.isValid() ? selected_text.name() : month_back;
  const QString text = ToQColor(s.CalFC).name();
  const QString title_back = ToQColor(s.CTBC).name();
  const QString title_text = ToQColor(s.CTTC).name();
  calendar->setStyleSheet(
      QString("QCalendarWidget { background-color: %1; }"
              "QCalendarWidget QAbstractItemView { background-color: %2; color: %3;"
              " selection-background-color: %4; selection-color: %6; }"
              "QCalendarWidget #qt_calendar_navigationbar { background-color: %4; }"
              "QCalendarWidget #qt_calendar_navigationbar QToolButton { color: %5;"
              " background-color: %4; }"
              "QCalendarWidget #qt_calendar_navigationbar QSpinBox { color: %5;"
              " background-color: %4; }")
          .arg(surround.name(), month_back, text, title_back, title_text, selected));
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

namespace {

Colour FromQColor(const QColor& colour) {
  return static_cast<Colour>(colour.red() | colour.green() << 8 | colour.blue() << 16);
}

}  // namespace

Settings WithPaletteColours(Settings s, const QPalette& palette) {
  s.CMBC = FromQColor(palette.color(QPalette::Base));
  s.CalFC = FromQColor(palette.color(QPalette::Text));
  s.CTBC = FromQColor(palette.color(QPalette::Highlight));
  s.CTTC = FromQColor(palette.color(QPalette::HighlightedText));
  s.CTTTC = FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
  s.WC = FromQColor(palette.color(QPalette::Window));
  s.JMsgFC = FromQColor(palette.color(QPalette::Text));
  return s;
}

QIcon SymbolicProgramIcon() {
  static const bool registered = (RegisterResources(), true);
  (void)registered;
  return QIcon::fromTheme("vornelle-symbolic", QIcon(":/icons/vornelle-symbolic.svg"));
}

QIcon HelpIcon() {
  static const bool registered = (RegisterResources(), true);
  (void)registered;
  return QIcon(":/icons/help.svg");
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
