#pragma once

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Writes the mesh as a 3MF file (the 3D Manufacturing Format's core specification) into
// out: one object of the terrain, and its base when there is one, in millimetres, each
// face with the base material of its height class (see FaceMaterials) in the render
// window's colours. Throws what TrueScaleMesh throws, and std::bad_alloc.
void Write3mfMesh(const MeshSource& source, ByteSink& out);

}  // namespace orvandel
