#pragma once

#include <cstdint>

namespace orvandel {

// A colour as one 32-bit value: red in bits 0 to 7, green in 8 to 15, blue in 16 to 23,
// zero above. Colours are compared in this form by exact equality.
using PackedColour = std::uint32_t;

// Packs three channels, keeping only the low 8 bits of each.
constexpr PackedColour PackRGB(int r, int g, int b) {
  return (static_cast<PackedColour>(b) & 0xFF) << 16 | (static_cast<PackedColour>(g) & 0xFF) << 8 |
         (static_cast<PackedColour>(r) & 0xFF);
}

constexpr int RedOf(PackedColour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(PackedColour c) {
  return static_cast<int>(c >> 8 & 0xFF);
}
constexpr int BlueOf(PackedColour c) {
  return static_cast<int>(c >> 16 & 0xFF);
}

}  // namespace orvandel
