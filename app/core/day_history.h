#pragma once
// The days the user has looked at in this run, as a browser keeps the pages: Back and Forward
// move through them, and a day looked at after going back drops the days that were ahead.

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/locale.h"

namespace vornelle::app {

class DayHistory {
 public:
  // The most days kept; the oldest go first.
  static constexpr std::size_t kMostDays = 500;

  // A day was shown. The day shown already changes nothing.
  void Visit(const platform::CalendarDate& day);
  bool CanGoBack() const { return at_ > 0; }
  bool CanGoForward() const { return at_ + 1 < days_.size(); }
  // The day to show; nothing when there is none that way.
  std::optional<platform::CalendarDate> Back();
  std::optional<platform::CalendarDate> Forward();

 private:
  std::vector<platform::CalendarDate> days_;
  std::size_t at_ = 0;  // the day shown, when there is one
};

}  // namespace vornelle::app
