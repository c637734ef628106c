#include "framework/errors.h"

namespace vornelle::framework {

void DatabaseError(const std::string& message) { throw EDatabaseError(message); }

}  // namespace vornelle::framework
