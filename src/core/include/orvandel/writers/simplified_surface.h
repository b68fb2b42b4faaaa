#pragma once

#include "orvandel/generator/indexed_surface.h"

namespace orvandel {

// The surface that the true-scale formats write by default: the sampled terrain meshed
// with as few triangles as keep every grid vertex within max_error map units (0 or more,
// after the vertical scale) of the height the full grid writes there; 0 is without loss,
// within a few float roundings of the largest height (see HeightTolerance). It follows the
// heights exactly as written and keeps the full grid's height classes, so that no face
// spans two materials. The maker throws std::bad_alloc when memory runs out.
SurfaceMaker SimplifiedSurface(double max_error);

}  // namespace orvandel
