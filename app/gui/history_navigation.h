#pragma once
// Back and Forward through the days shown in the calendar in this run, as a browser goes
// through its pages: each day the calendar selects is remembered, and going back and then
// choosing another day drops the days that were ahead.

#include <QObject>

#include "app/core/day_history.h"

class QAction;
class QCalendarWidget;

namespace vornelle::app {

class HistoryNavigation : public QObject {
  Q_OBJECT

 public:
  // Follows `calendar`'s selection.
  explicit HistoryNavigation(QCalendarWidget* calendar);
  // Forgets the days shown so far: the day selected now is the first (the start-up's day).
  void Restart();

  // Edit > Back (Alt+Left) and Edit > Forward (Alt+Right), enabled when there is a day that way.
  QAction* BackAction() const { return back_; }
  QAction* ForwardAction() const { return forward_; }

 public Q_SLOTS:
  void Back();
  void Forward();

 private Q_SLOTS:
  void DaySelected();

 private:
  void Go(const std::optional<platform::CalendarDate>& day);
  void UpdateActions();

  QCalendarWidget* calendar_;
  DayHistory history_;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
};

}  // namespace vornelle::app
