#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

// Turns rows of map pixels into palette indexes (0 to 15, or kNoPaletteIndex) by matching
// their colours with the swatches, in two steps: a row of one-byte codes, and a table from
// code to palette index. A map stored as colour-table indexes gives its rows of indexes,
// one byte each, its codes being table entries, each matched once; any other map is
// matched once per run of equal colours, its codes being the palette indexes themselves.
class PixelClassifier {
 public:
  PixelClassifier(const MapImage& map, const SwatchColours& swatches);

  // The codes of the first count pixels of row y; valid until the next call.
  const std::uint8_t* RowCodes(int y, int count);
  const std::array<std::uint8_t, 256>& IndexOfCode() const { return index_of_code_; }

 private:
  const MapImage& map_;
  const SwatchColours& swatches_;
  bool indexed_ = false;
  std::array<std::uint8_t, 256> index_of_code_{};
  std::vector<PackedColour> colours_;
  std::vector<std::uint8_t> codes_;
};

}  // namespace orvandel
