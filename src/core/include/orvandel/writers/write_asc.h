#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Writes the material line of a face of this height class ("Material:"GREEN MATTE"").
void WriteAscMaterial(int height_class, ByteSink& out);

// A 3D Studio ASCII scene: one tri-mesh with its vertices (z being 3.0 x the cell height)
// and its faces, each face's corners listed in reverse and followed by its material,
// then a fixed light and camera. The square with upper left vertex n gives the faces 2n
// and 2n + 1.
void WriteAscMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as ASC; see RunMeshWrite() for failures.
void WriteAscFile(const WriteRequest& request);

}  // namespace orvandel
