#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Binary glTF 2.0 in map units at true scale, on glTF's fixed axes: x east from 0 to
// Mapwidth, y up (the height), z south from 0 at the map's top edge to Mapheight at its
// bottom edge. One mesh with one primitive per material in use (water, lawn, rock, snow,
// base), each material with the render window's colour in full light; positions and
// normals interleaved, indices as 32-bit integers, faces counter-clockwise seen from
// outside. A grid without faces gives a scene with one empty node. Throws Refusal as
// TrueScaleMesh does, and "Mesh too large for a glTF binary file!" beyond 4 GiB.
void WriteGlbMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as GLB; see RunMeshWrite() for failures.
void WriteGlbFile(const WriteRequest& request);

}  // namespace orvandel
