#pragma once
// Where the main window opens from the geometry the settings file stored. The file may come
// from a larger desktop, or be damaged: a window larger than any screen costs memory for
// nothing, and one placed far off every screen cannot be reached.

#include <QList>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace vornelle::app {

// The window's place: no larger than the screen it lands on (the one it overlaps most, else
// the first), and moved onto that screen when its top edge could not be grabbed where it was.
// `screens` are the screens' available areas, the primary first; without any, the stored
// geometry is kept. As for the window's move and resize, the place is the frame's and the size
// the inside's; `frame` is what the frame adds to the size.
QRect PlaceWindow(int32_t left, int32_t top, int32_t width, int32_t height, QSize frame,
                  const QList<QRect>& screens);

}  // namespace vornelle::app
