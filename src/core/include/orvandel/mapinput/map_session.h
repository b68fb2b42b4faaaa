#pragma once

#include <string>

#include "orvandel/mapinput/map_header.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

// What the program keeps of the loaded map from one command to the next.
struct MapSession {
  MapHeader map_header;
  MapPalette map_palette;
  SwatchColours swatches;
  std::string MapFileName;      // not empty while a map is loaded and shown
  int SelectedColourIndex = 0;  // picked by the last click on the map
};

}  // namespace orvandel
