#pragma once

#include <array>

#include "orvandel/geometry/colour.h"
#include "orvandel/mapinput/map_header.h"

namespace orvandel {

constexpr PackedColour kWhite = 0x00FFFFFF;

// The control panel's 16 colour swatches: its copy of the map palette, against which
// pixel colours are matched. White until a map is loaded. Only the first matching_entries
// swatches, the entries the current map's colour table defines, take part in matching.
struct SwatchColours {
  std::array<PackedColour, 16> colour = {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                                         kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                                         kWhite, kWhite, kWhite, kWhite};
  int matching_entries = 16;
};

// The colour of a palette entry as the display returns it.
constexpr PackedColour EntryColour(const PaletteEntry& e) {
  return PackRGB(e.red, e.green, e.blue);
}

// Colours every swatch from its palette entry, index 0 to 15.
void ColourSwatches(const MapPalette& palette, SwatchColours& swatches);

// The index given to a pixel colour that matches no swatch: such pixels count for no colour.
constexpr int kNoPaletteIndex = 16;

// The palette index of a pixel colour: the highest matching swatch index, or
// kNoPaletteIndex.
int PaletteIndexOfColour(const SwatchColours& swatches, PackedColour colour);

// The palette index picked by a click on a pixel of this colour: the lowest matching entry
// of the palette, or previous when none matches.
int SelectedIndexOfColour(const MapPalette& palette, PackedColour colour, int previous);

}  // namespace orvandel
