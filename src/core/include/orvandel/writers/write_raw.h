#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// A plain list of triangles: one line "x1 y1 z1 x2 y2 z2 x3 y3 z3" per triangle, z being
// 3.0 x the cell height. Each square samples its four corner cells afresh, in the order
// upper left, upper right, lower right, lower left, so a cell without a set colour takes
// the height of the corner sampled just before it.
void WriteRawMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as RAW; see RunMeshWrite() for failures.
void WriteRawFile(const WriteRequest& request);

}  // namespace orvandel
