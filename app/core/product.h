#pragma once
// The product's own strings, fixed at program start.

namespace vornelle::app {

inline constexpr const char* kProductName = "Vornelle";
inline constexpr const char* kVersion = "1.0";
inline constexpr const char* kWebAddress = "https://vornelle.example.org";
inline constexpr const char* kSupportAddress = "support@vornelle.example.org";
inline constexpr const char* kCopyrightLine = "Copyright (c) 2026 The Vornelle developers";

// The settings file in the current folder.
inline constexpr const char* kSettingsFileName = "Vornel.Ini";
// The help page, in the current folder or installed beside the program.
inline constexpr const char* kHelpFileName = "Vornel.html";

}  // namespace vornelle::app
