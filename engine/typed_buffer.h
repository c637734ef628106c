#pragma once
// Reading and writing the binary slots of the typed record buffer (doubles and 32-bit integers
// at any alignment), for the engine and for everyone who reads records through FieldAddress.

#include <cstdint>
#include <cstring>

namespace vornelle::engine {

inline double LoadDouble(const char* slot) {
  double v;
  std::memcpy(&v, slot, sizeof v);
  return v;
}
inline int32_t LoadInt32(const char* slot) {
  int32_t v;
  std::memcpy(&v, slot, sizeof v);
  return v;
}
inline void StoreDouble(char* slot, double v) { std::memcpy(slot, &v, sizeof v); }
inline void StoreInt32(char* slot, int32_t v) { std::memcpy(slot, &v, sizeof v); }

}  // namespace vornelle::engine
