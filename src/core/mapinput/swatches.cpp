#include "orvandel/mapinput/swatches.h"

namespace orvandel {

void ColourSwatches(const MapPalette& palette, SwatchColours& swatches) {
  for (std::size_t i = 0; i < palette.Entries.size(); ++i) {
    swatches.Colour[i] = EntryColour(palette.Entries[i]);
  }
  swatches.MatchingEntries = palette.DefinedEntries;
}

int PaletteIndexOfColour(const SwatchColours& swatches, PackedColour colour) {
  for (int k = swatches.MatchingEntries - 1; k >= 0; --k) {
    if (swatches.Colour[static_cast<std::size_t>(k)] == colour) return k;
  }
  return kNoPaletteIndex;
}

int SelectedIndexOfColour(const MapPalette& palette, PackedColour colour, int previous) {
  for (int i = 0; i < palette.DefinedEntries; ++i) {
    if (EntryColour(palette.Entries[static_cast<std::size_t>(i)]) == colour) return i;
  }
  return previous;
}

}  // namespace orvandel
