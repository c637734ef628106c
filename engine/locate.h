#pragma once
// Locate and Continue: searching a field's text record by record.

#include <string_view>

namespace vornelle::engine {

}  // namespace vornelle::engine
