#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"
#include "orvandel/meshing/simplify_terrain.h"

namespace orvandel {

// Triangles over grid vertex numbers, turning the grid's way, and their classes: the part
// of a mesh that one tile or the seams made.
struct MeshPiece {
  std::vector<DecimationMesh::Corners> triangles;
  std::vector<std::uint8_t> classes;
};

// The live triangles of a mesh.
MeshPiece PieceOf(const DecimationMesh& mesh);

// One mesh of the pieces, which must fit together edge to edge: its vertices are those of
// the pieces in the order of their grid numbers, its triangles turned counter-clockwise
// seen from above; its boundary is left empty.
SimplifiedTerrain JoinPieces(const HeightGrid& grid, const std::vector<MeshPiece>& pieces);

}  // namespace orvandel
