#pragma once

#include <string>

#include "orvandel/mapinput/map_session.h"

namespace orvandel {

// A map file that passed the open-map command's checks but is not yet the current map.
struct CheckedMap {
  std::string file_name;
  MapHeader header;
  MapPalette palette;
};

// Reads and checks a map file as the open-map command does, without changing the session.
// Throws Refusal with the result's message and "!" for a map the program cannot use,
// RuntimeFailure "Unknown picture file extension (.ext)" when the name does not end in
// ".bmp" (any case), and IoError when the file cannot be read.
CheckedMap CheckMapFile(const std::string& file_name, const MapSession& session);

// Makes a checked map current: its header and palette, the swatch colours and
// MapFileName. Call it once the map's pixels have been decoded for display.
void AcceptMap(MapSession& session, CheckedMap map);

}  // namespace orvandel
