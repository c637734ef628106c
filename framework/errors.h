#pragma once
// The framework's one exception type for database errors.

#include <string>

#include "platform/exception.h"
#include "platform/format.h"

namespace vornelle::framework {

class EDatabaseError : public platform::Exception {
 public:
  explicit EDatabaseError(const std::string& message) : platform::Exception(message) {}
};

[[noreturn]] void DatabaseError(const std::string& message);

// DatabaseError with a formatted text: DatabaseErrorFmt(msg::kFieldNotFound, name.c_str()).
template <typename... Args>
[[noreturn]] void DatabaseErrorFmt(const char* pattern, Args... args) {
  DatabaseError(platform::Format(pattern, args...));
}

}  // namespace vornelle::framework
