#include "app/gui/window_placement.h"

#include <algorithm>

namespace vornelle::app {

namespace {

// How much of the top edge must lie on a screen for the user to grab it.
constexpr int64_t kGrip = 48;

// Stored values reach the limits of int32; sums are taken in 64 bits.
struct Span {
  int64_t left, top, width, height;
  int64_t right() const { return left + width; }
  int64_t bottom() const { return top + height; }
};

int64_t Overlap(int64_t from_a, int64_t to_a, int64_t from_b, int64_t to_b) {
  return std::max<int64_t>(0, std::min(to_a, to_b) - std::max(from_a, from_b));
}

int64_t Area(const Span& window, const QRect& screen) {
  return Overlap(window.left, window.right(), screen.left(), screen.left() + screen.width()) *
         Overlap(window.top, window.bottom(), screen.top(), screen.top() + screen.height());
}

bool TopEdgeReachable(const Span& window, const QRect& screen) {
  const int64_t screen_right = int64_t{screen.left()} + screen.width();
  const int64_t screen_bottom = int64_t{screen.top()} + screen.height();
  return window.top >= screen.top() && window.top <= screen_bottom - kGrip &&
         Overlap(window.left, window.right(), screen.left(), screen_right) >= std::min(kGrip, window.width);
}

}  // namespace

QRect PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height, QSize frame,
                  const QList<QRect>& screens) {
  if (screens.isEmpty()) return QRect(left, top, width, height);
  Span window{left, top, int64_t{std::max(width, 0)} + frame.width(), int64_t{std::max(height, 0)} + frame.height()};
  const QRect* screen = &screens.front();
  for (const QRect& candidate : screens)
    if (Area(window, candidate) > Area(window, *screen)) screen = &candidate;

  window.width = std::min<int64_t>(window.width, screen->width());
  window.height = std::min<int64_t>(window.height, screen->height());
  if (!TopEdgeReachable(window, *screen)) {
    window.left = std::clamp<int64_t>(window.left, screen->left(), int64_t{screen->left()} + screen->width() - window.width);
    window.top = std::clamp<int64_t>(window.top, screen->top(), int64_t{screen->top()} + screen->height() - window.height);
  }
  return QRect(static_cast<int>(window.left), static_cast<int>(window.top),
               static_cast<int>(std::max<int64_t>(window.width - frame.width(), 0)),
               static_cast<int>(std::max<int64_t>(window.height - frame.height(), 0)));
}

}  // namespace vornelle::app
