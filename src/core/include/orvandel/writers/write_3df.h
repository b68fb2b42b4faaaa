#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The program's own binary mesh: the header bytes 03 33 44, the vertex count, one record
// (x, y, 2.5 x height) per cell in vertex order, the triangle count, and one record
// (three vertex numbers, height class) per triangle.
void Write3dfMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as 3DF; see RunMeshWrite() for failures.
void Write3dfFile(const WriteRequest& request);

}  // namespace orvandel
