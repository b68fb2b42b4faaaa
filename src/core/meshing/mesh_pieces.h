#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"
#include "orvandel/meshing/simplify_terrain.h"

namespace orvandel {

// Triangles over grid vertex numbers, turning the grid's way, and their classes: the part
// of a mesh that one tile or window made.
struct MeshPiece {
  std::vector<DecimationMesh::Corners> triangles;
  std::vector<std::uint8_t> classes;
};

// The live triangles of a mesh for which keep(corners as grid numbers) holds.
template <typename Keep>
MeshPiece PieceOf(const DecimationMesh& mesh, Keep&& keep) {
  MeshPiece piece;
  const std::int32_t columns = mesh.Grid().columns;
  for (std::int32_t t = 0; t < mesh.TriangleSlots(); ++t) {
    if (!mesh.Live(t)) continue;
    DecimationMesh::Corners corners = mesh.CornersOf(t);
    for (std::int32_t& v : corners)
      v = mesh.At(v).r * columns + mesh.At(v).c;
    if (!keep(corners)) continue;
    piece.triangles.push_back(corners);
    piece.classes.push_back(mesh.ClassOf(t));
  }
  return piece;
}

// One mesh of the pieces, which must fit together edge to edge: its vertices are those of
// the pieces in the order of their grid numbers, its triangles turned counter-clockwise
// seen from above; its boundary is left empty.
SimplifiedTerrain JoinPieces(const HeightGrid& grid, const std::vector<MeshPiece>& pieces);

}  // namespace orvandel
