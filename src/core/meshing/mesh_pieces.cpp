#include "meshing/mesh_pieces.h"

#include <algorithm>

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

DecimationMesh JoinPieces(const HeightGrid& grid, const std::vector<MeshPiece>& pieces) {
  std::vector<std::int32_t> numbers;
  for (const MeshPiece& piece : pieces) {
    for (const DecimationMesh::Corners& corners : piece.triangles)
      numbers.insert(numbers.end(), corners.begin(), corners.end());
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  std::size_t triangles = 0;
  for (const MeshPiece& piece : pieces)
    triangles += piece.triangles.size();
  DecimationMesh mesh(grid);
  mesh.Clear(numbers.size(), triangles);
  for (const std::int32_t n : numbers)
    mesh.AddVertex({n % grid.columns, n / grid.columns}, false);
  const auto vertex = [&](std::int32_t n) {
    return static_cast<std::int32_t>(std::lower_bound(numbers.begin(), numbers.end(), n) -
                                     numbers.begin());
  };
  for (const MeshPiece& piece : pieces) {
    for (std::size_t t = 0; t < piece.triangles.size(); ++t) {
      const DecimationMesh::Corners& corners = piece.triangles[t];
      mesh.AddTriangle({vertex(corners[0]), vertex(corners[1]), vertex(corners[2])},
                       piece.classes[t]);
    }
  }
  mesh.LinkTriangles();
  return mesh;
}

}  // namespace orvandel
