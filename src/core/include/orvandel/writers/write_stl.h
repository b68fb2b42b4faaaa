#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Binary STL in map units at true scale, z up: an 80-byte header, the face count, and per
// face its unit normal, its three corners counter-clockwise seen from outside and two
// attribute bytes of 0 (the format has no agreed colour). Throws Refusal as
// TrueScaleMesh does.
void WriteStlMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as STL; see RunMeshWrite() for failures.
void WriteStlFile(const WriteRequest& request);

}  // namespace orvandel
