#include "meshing/seam_band.h"

#include <algorithm>

#include "meshing/used_vertices.h"

namespace orvandel {
namespace {

template <typename Has>
bool AnyCorner(const DecimationMesh::Corners& corners, Has&& has) {
  return std::any_of(corners.begin(), corners.end(), has);
}

// The vertices on the lines and their neighbours.
UsedVertices NearLines(const HeightGrid& grid, const GridTiles& tiles,
                       const std::vector<MeshPiece>& pieces) {
  const auto on_line = [&](std::int32_t n) {
    return tiles.OnInnerLine({n % grid.columns, n / grid.columns});
  };
  UsedVertices near(grid);
  for (const MeshPiece& piece : pieces) {
    for (const DecimationMesh::Corners& corners : piece.triangles) {
      if (!AnyCorner(corners, on_line)) continue;
      for (const std::int32_t n : corners)
        near.Add(n);
    }
  }
  return near;
}

void Take(const MeshPiece& from, std::size_t t, MeshPiece& to) {
  to.triangles.push_back(from.triangles[t]);
  to.classes.push_back(from.classes[t]);
}

}  // namespace

// The band holds the triangles at the vertices near the lines, so that a neighbour of a
// vertex on a line, whose triangles are then all in the band, can go as well.
SeamBand GatherSeamBand(const HeightGrid& grid, const GridTiles& tiles,
                        const std::vector<MeshPiece>& pieces) {
  const UsedVertices near = NearLines(grid, tiles, pieces);
  const auto is_near = [&](std::int32_t n) { return near.Has(n); };
  SeamBand band(grid);
  MeshPiece gathered;
  UsedVertices in_band(grid);
  UsedVertices in_rest(grid);
  for (const MeshPiece& piece : pieces) {
    for (std::size_t t = 0; t < piece.triangles.size(); ++t) {
      const bool to_band = AnyCorner(piece.triangles[t], is_near);
      Take(piece, t, to_band ? gathered : band.rest);
      for (const std::int32_t n : piece.triangles[t])
        (to_band ? in_band : in_rest).Add(n);
    }
  }
  band.mesh.Clear(static_cast<std::size_t>(in_band.Count()), gathered.triangles.size());
  for (const std::int32_t n : in_band.All()) {
    const LatticePoint at{n % grid.columns, n / grid.columns};
    const std::int32_t v = band.mesh.AddVertex(at, in_rest.Has(n));
    if (tiles.OnInnerLine(at)) band.lines.push_back(v);
  }
  for (std::size_t t = 0; t < gathered.triangles.size(); ++t) {
    DecimationMesh::Corners corners = gathered.triangles[t];
    for (std::int32_t& n : corners)
      n = in_band.Number(n);
    band.mesh.AddTriangle(corners, gathered.classes[t]);
  }
  band.mesh.LinkTriangles();
  return band;
}

}  // namespace orvandel
