#include "meshing/mesh_pieces.h"

#include "meshing/used_vertices.h"

namespace orvandel {

SimplifiedTerrain JoinPieces(const HeightGrid& grid, const std::vector<MeshPiece>& pieces) {
  UsedVertices used(grid);
  for (const MeshPiece& piece : pieces) {
    for (const DecimationMesh::Corners& corners : piece.triangles) {
      for (const std::int32_t n : corners)
        used.Add(n);
    }
  }
  used.Count();
  SimplifiedTerrain mesh;
  mesh.vertices = used.All();
  for (const MeshPiece& piece : pieces) {
    for (std::size_t t = 0; t < piece.triangles.size(); ++t) {
      const DecimationMesh::Corners& c = piece.triangles[t];
      mesh.triangles.push_back({used.Number(c[0]), used.Number(c[2]), used.Number(c[1])});
      mesh.classes.push_back(piece.classes[t]);
    }
  }
  return mesh;
}

}  // namespace orvandel
