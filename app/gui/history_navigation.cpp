#include "app/gui/history_navigation.h"

#include <QAction>
#include <QCalendarWidget>

#include "app/gui/appearance.h"
#include "app/gui/calendar_dates.h"

namespace vornelle::app {

HistoryNavigation::HistoryNavigation(QCalendarWidget* calendar) : QObject(calendar), calendar_(calendar) {
  back_ = new QAction(ToolIcon("go-previous", QStyle::SP_ArrowBack), tr("&Back"), calendar);
  back_->setObjectName("BackAction");
  back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  back_->setToolTip(tr("Back to the Day Shown Before."));
  forward_ = new QAction(ToolIcon("go-next", QStyle::SP_ArrowForward), tr("F&orward"), calendar);
  forward_->setObjectName("ForwardAction");
  forward_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  forward_->setToolTip(tr("Forward to the Day Shown After."));
  connect(back_, &QAction::triggered, this, &HistoryNavigation::Back);
  connect(forward_, &QAction::triggered, this, &HistoryNavigation::Forward);
  connect(calendar_, &QCalendarWidget::selectionChanged, this, &HistoryNavigation::DaySelected);
  Restart();
}

void HistoryNavigation::Restart() {
  history_ = DayHistory();
  DaySelected();
}

void HistoryNavigation::DaySelected() {
  history_.Visit(FromQDate(calendar_->selectedDate()));
  UpdateActions();
}

void HistoryNavigation::Back() { Go(history_.Back()); }

void HistoryNavigation::Forward() { Go(history_.Forward()); }

void HistoryNavigation::Go(const std::optional<platform::CalendarDate>& day) {
  // The selection's change finds the day where the history stands, and changes nothing.
  if (day) calendar_->setSelectedDate(ToQDate(*day));
  UpdateActions();
}

void HistoryNavigation::UpdateActions() {
  back_->setEnabled(history_.CanGoBack());
  forward_->setEnabled(history_.CanGoForward());
}

}  // namespace vornelle::app
