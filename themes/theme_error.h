#pragma once
// What goes wrong with a theme, told to the user as it is: a source that cannot be read, a table
// that is no theme, a replacement that cannot be made.

#include "platform/exception.h"

namespace vornelle::themes {

class ThemeError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

}  // namespace vornelle::themes
