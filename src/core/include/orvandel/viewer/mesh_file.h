#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orvandel/geometry/vector3.h"
#include "orvandel/viewer/render_stop.h"

namespace orvandel {

// A material of a mesh file: its name and its colour, as the file gives them.
struct MeshMaterial {
  std::string name;  // empty when the file gives none
  // Red, green and blue from 0 to 1, as the file stores them (linear in glTF).
  std::optional<std::array<float, 3>> colour;
};

// The polygon has no material of the file's own.
inline constexpr std::uint32_t kNoMaterial = 0xFFFFFFFF;

// A mesh as a reader library hands it over, nothing of it checked yet: the polygons, in
// the file's order, name their corners by number in positions.
struct ImportedMesh {
  std::vector<Vector3> positions;            // in the file's own units and axes
  std::vector<std::uint32_t> corners;        // every polygon's corners, one polygon after the other
  std::vector<std::uint32_t> corner_counts;  // per polygon
  std::vector<std::uint32_t> materials_of;   // per polygon: its number in materials, or kNoMaterial
  std::vector<MeshMaterial> materials;
};

// Reads the mesh files of today's 3D tools (STL, OBJ, PLY, glTF), through a library of
// the front end's choosing: the core itself reads only 3DF files.
class MeshFileReader {
 public:
  virtual ~MeshFileReader() = default;

  // Reads the mesh file file_name. Throws IoError when it cannot be opened, Refusal
  // "Invalid file!" when it holds no mesh the reader understands, RenderStopped once stop
  // is stopped.
  virtual ImportedMesh Read(const std::string& file_name, const RenderStop& stop) const = 0;
};

}  // namespace orvandel
