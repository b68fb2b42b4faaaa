#include "meshing/mesh_pieces.h"

#include "meshing/used_vertices.h"

namespace orvandel {

MeshPiece PieceOf(const DecimationMesh& mesh) {
  MeshPiece piece;
  const std::int32_t columns = mesh.Grid().columns;
  for (std::int32_t t = 0; t < mesh.TriangleSlots(); ++t) {
    if (!mesh.Live(t)) continue;
    DecimationMesh::Corners corners = mesh.CornersOf(t);
    for (std::int32_t& v : corners)
      v = mesh.At(v).r * columns + mesh.At(v).c;
    piece.triangles.push_back(corners);
    piece.classes.push_back(mesh.ClassOf(t));
  }
  return piece;
}

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
