#pragma once
// How the settings look in the main window: the calendar's colour slots and fonts, the pane's
// font, and the program's icons, over the look the dialogs share.

#include <QIcon>
#include <QStyle>

#include "app/core/settings.h"
#include "look/look.h"

class QCalendarWidget;
class QPlainTextEdit;

namespace vornelle::app {

// The calendar's colour slots: the month's days (CMBC), their text (CalFC), the title bar
// (CTBC, CTTC), the days of the neighbouring months (CTTTC); around them the fixed teal.
void ApplyCalendarColourSlots(QCalendarWidget* calendar, const Settings& settings);
void ApplyCalendarFont(QCalendarWidget* calendar, const Settings& settings);
void ApplyPaneFont(QPlainTextEdit* pane, const Settings& settings);

// The program's icon, and a toolbar icon from the desktop's icon theme with a fallback.
QIcon ProgramIcon();
QIcon ToolIcon(const char* theme_name, QStyle::StandardPixmap fallback);

}  // namespace vornelle::app
