#include "generator/pixel_classifier.h"

namespace orvandel {

PixelClassifier::PixelClassifier(const MapImage& map, const SwatchColours& swatches)
    : map_(map), swatches_(swatches) {
  const auto table = map.ColourTable();
  indexed_ = !table.empty();
  if (!indexed_) return;
  // Indexes beyond the table show as black.
  index_of_entry_.fill(static_cast<std::uint8_t>(PaletteIndexOfColour(swatches, 0)));
  for (std::size_t i = 0; i < table.size() && i < index_of_entry_.size(); ++i) {
    index_of_entry_[i] = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches, table[i]));
  }
}

void PixelClassifier::ClassifyRow(int y, int count, std::uint8_t* out) {
  if (indexed_) {
    ClassifyIndexedRow(y, count, out);
  } else {
    ClassifyColourRow(y, count, out);
  }
}

void PixelClassifier::ClassifyIndexedRow(int y, int count, std::uint8_t* out) const {
  const std::uint8_t* row = map_.IndexRow(y);
  for (int x = 0; x < count; ++x) out[x] = index_of_entry_[row[x]];
}

void PixelClassifier::ClassifyColourRow(int y, int count, std::uint8_t* out) {
  colours_.resize(static_cast<std::size_t>(count));
  map_.ReadRow(y, colours_);
  PackedColour last_colour = 0;
  auto last_index = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches_, last_colour));
  for (int x = 0; x < count; ++x) {
    const PackedColour colour = colours_[static_cast<std::size_t>(x)];
    if (colour != last_colour) {
      last_colour = colour;
      last_index = static_cast<std::uint8_t>(PaletteIndexOfColour(swatches_, colour));
    }
    out[x] = last_index;
  }
}

}  // namespace orvandel
