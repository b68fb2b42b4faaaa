#include "orvandel/mapinput/swatches.h"

namespace orvandel {

void ColourSwatches(const MapPalette& palette, SwatchColours& swatches) {
  for (std::size_t i = 0; i < palette.entries.size(); ++i) {
    swatches.colour[i] = EntryColour(palette.entries[i]);
  }
  swatches.matching_entries = palette.defined_entries;
}

int PaletteIndexOfColour(const SwatchColours& swatches, PackedColour colour) {
  for (int k = swatches.matching_entries - 1; k >= 0; --k) {
    if (swatches.colour[static_cast<std::size_t>(k)] == colour) return k;
  }
  return kNoPaletteIndex;
}

int SelectedIndexOfColour(const MapPalette& palette, PackedColour colour, int previous) {
  for (int i = 0; i < palette.defined_entries; ++i) {
    if (EntryColour(palette.entries[static_cast<std::size_t>(i)]) == colour) return i;
  }
  return previous;
}

}  // namespace orvandel
