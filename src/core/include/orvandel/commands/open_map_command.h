#pragma once

#include <functional>
#include <string>

#include "orvandel/fileio/binary_reader.h"
#include "orvandel/mapinput/map_session.h"

namespace orvandel {

// What a front end makes of the pixels of a map that has passed its checks: reads them
// from the map's open file, which its headers have been read from, and keeps them in the
// form it needs (to show, or only to generate from). Throws as the pixel readers do.
using DecodeMap = std::function<void(BinaryReader& file, const MapHeader& header)>;

// The open-map command: opens the file once, reads and checks its headers, has decode read
// its pixels, and only then makes it the current map: its header and palette, the swatch
// colours and MapFileName. Throws Refusal with the read result's message and "!" for a map
// the program cannot use, RuntimeFailure "Unknown picture file extension (.ext)" when the
// name does not end in ".bmp" (any case), IoError when the file cannot be read, and what
// decode throws; the session is then as it was.
void OpenMapCommand(MapSession& session, const std::string& file_name, const DecodeMap& decode);

}  // namespace orvandel
