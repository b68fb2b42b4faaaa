#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/geometry/vector3.h"
#include "orvandel/viewer/render_stop.h"

namespace orvandel {

// Joins the vertices that stand at one position (0 and -0 alike), as a mesh file keeps
// them once per face (STL) or once per material (glTF): vertices keeps the first of each,
// in order, and the result gives every former vertex's new number. Needs finite
// positions. Throws RenderStopped once stop is stopped, std::bad_alloc when memory runs
// out.
std::vector<std::uint32_t> JoinEqualVertices(std::vector<Vector3>& vertices,
                                             const RenderStop& stop);

}  // namespace orvandel
