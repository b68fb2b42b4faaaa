#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

// Turns rows of map pixels into palette indexes (0 to 15, or kNoPaletteIndex) by matching
// their colours with the swatches. A map stored as colour-table indexes is matched once per
// table entry; any other map once per run of equal colours.
class PixelClassifier {
 public:
  PixelClassifier(const MapImage& map, const SwatchColours& swatches);

  // The indexes of the first count pixels of row y, into out.
  void ClassifyRow(int y, int count, std::uint8_t* out);

 private:
  void ClassifyIndexedRow(int y, int count, std::uint8_t* out) const;
  void ClassifyColourRow(int y, int count, std::uint8_t* out);

  const MapImage& map_;
  const SwatchColours& swatches_;
  bool indexed_ = false;
  std::array<std::uint8_t, 256> index_of_entry_{};
  std::vector<PackedColour> colours_;
};

}  // namespace orvandel
