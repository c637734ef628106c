#pragma once
// The product's own strings, fixed at program start.

namespace vornelle::app {

inline constexpr const char* kProductName = "Vornelle";
inline constexpr const char* kVersion = "1.0";
// The maker's web and support addresses: none yet. The About box shows an address only when
// there is one, never one that leads nowhere.
inline constexpr const char* kWebAddress = "";
inline constexpr const char* kSupportAddress = "";
inline constexpr const char* kCopyrightLine = "Copyright (c) 2026 The Vornelle developers";

// The settings file in the current folder.
inline constexpr const char* kSettingsFileName = "Vornel.Ini";
// The help page, in the current folder or installed beside the program.
inline constexpr const char* kHelpFileName = "Vornel.html";

}  // namespace vornelle::app
