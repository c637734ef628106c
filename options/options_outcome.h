#pragma once
// How the options dialog ended: with "Apply", and what it changed, for the window to redraw.

namespace vornelle::app {

struct OptionsOutcome {
  bool applied = false;
  bool colours_changed = false;
  bool fonts_changed = false;
  bool themes_changed = false;
};

}  // namespace vornelle::app
