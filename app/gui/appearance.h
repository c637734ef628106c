#pragma once
// How the settings look on screen: colours from 0x00BBGGRR values, fonts by name with the
// desktop's font standing in for one that is not installed, the calendar's colour slots, and
// the program's icons.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QStyle>

#include "app/core/settings.h"

class QCalendarWidget;
class QPlainTextEdit;
class QWidget;

namespace vornelle::app {

inline const QColor kTeal(0x00, 0x80, 0x80);

QColor ToQColor(Colour colour);
// The named font when it is installed, else the desktop's default font; the size in points
// (the desktop's size when not positive) and the styles.
QFont InstalledFont(const std::string& family, int points, FontStyles styles);
void SetBackground(QWidget* widget, const QColor& colour);

// The contrast ratio of two colours, from 1 to 21, by their relative luminance; text and
// icons read well from kLegibleContrast on.
double ContrastRatio(const QColor& a, const QColor& b);
inline constexpr double kLegibleContrast = 3.0;

// The calendar's colour slots: the month's days (CMBC), their text (CalFC), the title bar
// (CTBC, CTTC), the days of the neighbouring months (CTTTC); around them the fixed teal.
void ApplyCalendarColourSlots(QCalendarWidget* calendar, const Settings& settings);
void ApplyCalendarFont(QCalendarWidget* calendar, const Settings& settings);
void ApplyPaneFont(QPlainTextEdit* pane, const Settings& settings);

// The program's icon, and a toolbar icon from the desktop's icon theme with a fallback.
QIcon ProgramIcon();
QIcon ToolIcon(const char* theme_name, QStyle::StandardPixmap fallback);

}  // namespace vornelle::app
