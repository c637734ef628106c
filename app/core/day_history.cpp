#include "app/core/day_history.h"

namespace vornelle::app {

namespace {

bool Same(const platform::CalendarDate& a, const platform::CalendarDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

}  // namespace

void DayHistory::Visit(const platform::CalendarDate& day) {
  if (!days_.empty() && Same(days_[at_], day)) return;
  if (!days_.empty()) days_.resize(at_ + 1);
  days_.push_back(day);
  if (days_.size() > kMostDays) days_.erase(days_.begin());
  at_ = days_.size() - 1;
}

std::optional<platform::CalendarDate> DayHistory::Back() {
  if (!CanGoBack()) return std::nullopt;
  return days_[--at_];
}

std::optional<platform::CalendarDate> DayHistory::Forward() {
  if (!CanGoForward()) return std::nullopt;
  return days_[++at_];
}

}  // namespace vornelle::app
