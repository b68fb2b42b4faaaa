#pragma once

#include "orvandel/viewer/viewer_state.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The scene that the 3DF file of source would load as: one vertex per cell (x, y and 2.5 x
// its height, as floats) and two faces per grid square with their height classes, in the
// file's order, made straight from the sampled grid on source.threads threads. Throws
// Refusal kNotFiniteVertex as the 3DF writer does, before anything is made.
IndexedScene TerrainScene(const MeshSource& source);

}  // namespace orvandel
