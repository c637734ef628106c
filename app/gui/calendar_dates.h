#pragma once
// The core's calendar dates as Qt's, and back.

#include <QDate>

#include "platform/locale.h"

namespace vornelle::app {

inline QDate ToQDate(const platform::CalendarDate& date) { return QDate(date.year, date.month, date.day); }
inline platform::CalendarDate FromQDate(const QDate& date) { return {date.year(), date.month(), date.day()}; }

}  // namespace vornelle::app
