#pragma once

#include <string>

#include "orvandel/viewer/mesh_file.h"

namespace orvandel {

// Reads STL, OBJ (with its material library), PLY and glTF files through the Open Asset
// Import Library: the positions of every mesh of the file, moved as its nodes place them,
// its faces as polygons, and its materials' names and colours. The library's own
// stand-in material, made for files without any, counts as no material.
class AssimpMeshReader : public MeshFileReader {
 public:
  // Throws as MeshFileReader::Read says; a file the library cannot read is "Invalid file!".
  ImportedMesh Read(const std::string& file_name, const RenderStop& stop) const override;
};

}  // namespace orvandel
