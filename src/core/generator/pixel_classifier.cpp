#include "generator/pixel_classifier.h"

namespace orvandel {

PixelClassifier::PixelClassifier(const MapImage& map, const SwatchColours& swatches)
    : map_(map), swatches_(swatches) {
  const auto table = map.ColourTable();
  indexed_ = !table.empty();
  if (!indexed_) {
    for (std::size_t code = 0; code < index_of_code_.size(); ++code) {
      index_of_code_[code] = static_cast<std::uint8_t>(code);
    }
    return;
  }
  // Indexes beyond the table show as black.
  index_of_code_.fill(static_cast<std::uint8_t>(PaletteIndexOfColour(swatches, 0)));
  for (std::size_t i = 0; i < table.size() && i < index_of_code_.size(); ++i) {
    index_of_code_[i] = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches, table[i]));
  }
}

const std::uint8_t* PixelClassifier::RowCodes(int y, int count) {
  codes_.resize(static_cast<std::size_t>(count));
  if (indexed_ && map_.IndexBits() == 8) return map_.IndexRow(y);
  if (indexed_) {
    UnpackIndexes(map_.IndexRow(y), map_.IndexBits(), codes_.size(), codes_.data());
    return codes_.data();
  }
  colours_.resize(static_cast<std::size_t>(count));
  map_.ReadRow(y, colours_);
  PackedColour last_colour = 0;
  auto last_index = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches_, last_colour));
  for (std::size_t x = 0; x < colours_.size(); ++x) {
    if (colours_[x] != last_colour) {
      last_colour = colours_[x];
      last_index = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches_, last_colour));
    }
    codes_[x] = last_index;
  }
  return codes_.data();
}

}  // namespace orvandel
