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
// (CTBC, CTTC), the days of the neighbouring months (CTTTC); around them the fixed teal, or
// `surround`. The selected day is drawn on the title's colour in the month's, or `selected_text`.
void ApplyCalendarColourSlots(QCalendarWidget* calendar, const Settings& settings, const QColor& surround = kTeal,
                              const QColor& selected_text = QColor());
// The settings' colours taken from a palette: the desktop's colours in the slots the window
// paints.
Settings WithPaletteColours(Settings settings, const QPalette& palette);
void ApplyCalendarFont(QCalendarWidget* calendar, const Settings& settings);
void ApplyPaneFont(QPlainTextEdit* pane, const Settings& settings);

// The program's icon, and a toolbar icon from the desktop's icon theme with a fallback.
QIcon ProgramIcon();
// The program's one-colour icon, for trays that draw icons in the panel's colour.
QIcon SymbolicProgramIcon();
QIcon ToolIcon(const char* theme_name, QStyle::StandardPixmap fallback);
// Help: our own, whose disc reads on light and dark alike (themes' life rings lose their white
// on a light plate).
QIcon HelpIcon();

}  // namespace vornelle::app
