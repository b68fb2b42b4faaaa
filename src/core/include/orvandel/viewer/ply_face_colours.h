#pragma once

#include <string>
#include <vector>

#include "orvandel/geometry/colour.h"
#include "orvandel/viewer/render_stop.h"

namespace orvandel {

// The colour of every face of the PLY file file_name, in file order, from the red, green
// and blue properties of its face element (whole numbers from 0 to 255, or fractions from
// 0 to 1 where they are floating point), in ASCII or binary PLY of either byte order;
// empty when its faces have no colours. Every record of the file is read or passed over,
// so that a file that returns is whole.
// Throws Refusal "Invalid file!" for a file that breaks PLY's rules, IoError when it
// cannot be read or ends before the records its header declares ("Read beyond end of
// file"), RenderStopped once stop is stopped.
std::vector<PackedColour> ReadPlyFaceColours(const std::string& file_name, const RenderStop& stop);

}  // namespace orvandel
