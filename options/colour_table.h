#pragma once
// The 16 standard colours of the colour grid, and the conversion between a grid cell and a
// stored colour value (0x00BBGGRR).

#include <array>
#include <cstdint>
#include <optional>

namespace vornelle::options {

inline constexpr std::array<uint32_t, 16> kGridColours = {
    0x000000,  // black
    0x000080,  // maroon
    0x008000,  // green
    0x008080,  // olive
    0x800000,  // navy
    0x800080,  // purple
    0x808000,  // teal
    0xC0C0C0,  // silver
    0x808080,  // grey
    0x0000FF,  // red
    0x00FF00,  // lime
    0x00FFFF,  // yellow
    0xFF0000,  // blue
    0xFF00FF,  // fuchsia
    0xFFFF00,  // aqua
    0xFFFFFF,  // white
};

// The colour of cell `index` (0 to 15).
inline uint32_t GridColour(int index) { return kGridColours[static_cast<std::size_t>(index & 15)]; }

// The cell that holds exactly `colour`; none for a colour outside the table.
inline std::optional<int> GridIndex(uint32_t colour) {
  for (std::size_t i = 0; i < kGridColours.size(); ++i)
    if (kGridColours[i] == colour) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace vornelle::options
