#pragma once
// A table read or written beside a program's own open tables: the work of the scope runs in a
// free work area of its own, which is closed at the end, and the area that was current and
// the engine's switches are given back, so that the program's components find the engine as
// they left it.

#include "engine/table.h"

namespace vornelle::engine {

class ScopedWorkArea {
 public:
  ScopedWorkArea() : area_(CurrentArea()), switches_(Switches()) { Select(0); }
  ~ScopedWorkArea() {
    CloseArea();
    Select(area_);
    Switches() = switches_;
  }
  ScopedWorkArea(const ScopedWorkArea&) = delete;
  ScopedWorkArea& operator=(const ScopedWorkArea&) = delete;

 private:
  int area_;
  EngineSwitches switches_;
};

}  // namespace vornelle::engine
