#pragma once

#include <string>
#include <string_view>

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The material library beside an OBJ file: "maps/hill.obj" gives "maps/hill.mtl", and
// "maps/my hill.obj" "maps/my_hill.mtl", a name the OBJ file's "mtllib" line can hold.
std::string MaterialLibraryName(std::string_view obj_file_name);

// Wavefront OBJ in map units at true scale, z up: the material library's name, one "v"
// and one "vn" line per vertex, then the faces of each material after its "usemtl" line,
// each face "f a//a b//b c//c", counter-clockwise seen from outside. Lines end with CR LF.
// Throws Refusal as TrueScaleMesh does.
void WriteObjMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as OBJ and beside it its material library (hill.obj, hill.mtl):
// "newmtl" and the diffuse colour "Kd" of water, lawn, rock and snow, and of base for a
// solid. Both files appear whole or neither changes (see CommitTogether()). Throws IoError
// and Refusal.
void WriteObjFile(const WriteRequest& request);

}  // namespace orvandel
