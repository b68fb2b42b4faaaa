#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Binary little-endian PLY in map units at true scale, z up: a text header, then per
// vertex x y z nx ny nz (floats), then per face its three vertex numbers,
// counter-clockwise seen from outside, and the colour of its material (red, green, blue
// bytes). Throws Refusal as TrueScaleMesh does.
void WritePlyMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as PLY; see RunMeshWrite() for failures.
void WritePlyFile(const WriteRequest& request);

}  // namespace orvandel
