#pragma once
// Start-up of the expression unit.

namespace vornelle::expr {

// Installs the expression unit into the record engine: the compile, release, evaluate,
// counted-string and key-evaluation hooks, then the parser-linked flag. Also takes the
// engine's separators, century switch and date order from the platform's locale and replaces
// the process's short date format with the engine's pattern for that order. Called once at
// program start, before any table is opened; calling it again does the same again.
void InstallExpressionUnit();

}  // namespace vornelle::expr
