#pragma once
// The look the windows and the dialogs share: colours from the settings' 0x00BBGGRR values,
// fonts by name with the desktop's font standing in for one that is not installed, a widget's
// background, and whether two colours read well together.

#include <QColor>
#include <QFont>
#include <string>

#include "app/core/settings.h"

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

}  // namespace vornelle::app
