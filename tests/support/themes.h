#pragma once
// Theme tables for tests: THEDATE C(4) and THEJOKE M(10), written through the engine.

#include <string>
#include <vector>

namespace vornelle::testing {

// A day's record of a theme: the day key and the message (ANSI text, stored in OEM; or the
// bytes to store, for WriteStoredTheme).
struct ThemeRecord {
  std::string day;
  std::string message;
  bool deleted = false;
};

// Makes the table `path` with these records, in this order. Leaves the engine's current work
// area as it was.
void WriteTheme(const std::string& path, const std::vector<ThemeRecord>& records);
// The same with each message stored as the bytes given (a theme's own code page).
void WriteStoredTheme(const std::string& path, const std::vector<ThemeRecord>& records);

}  // namespace vornelle::testing
