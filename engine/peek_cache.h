#pragma once
// The engine-wide read cache of Peek: a block of consecutive stored records of one table.

#include <cstddef>
#include <cstdint>

#include "engine/state.h"

namespace vornelle::engine {

// Keeps a cached copy of a record in step with what was just written to the file.
void UpdatePeekCache(const WorkArea& wa, int32_t recno, std::size_t offset, const char* data,
                     std::size_t count);

}  // namespace vornelle::engine
