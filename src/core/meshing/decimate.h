#pragma once

#include <cstdint>
#include <span>

#include "meshing/decimation_mesh.h"

namespace orvandel {

// Removes vertices of the mesh while its surface stays within bound of the grid (see
// VertexRemoval): tries each of seeds and the neighbours of every vertex removed, those
// with fewest triangles first, and tries a vertex that stayed again while some neighbour
// of it has gone since, until none has.
void Decimate(DecimationMesh& mesh, std::span<const std::int32_t> seeds, double bound);

// The same, seeded with every vertex of the mesh that is not fixed.
void DecimateAll(DecimationMesh& mesh, double bound);

}  // namespace orvandel
