#include "meshing/seam_band.h"

#include <algorithm>

#include "meshing/used_vertices.h"

namespace orvandel {

SeamBand GatherSeamBand(const HeightGrid& grid, const GridTiles& tiles,
                        const std::vector<MeshPiece>& pieces) {
  const auto on_line = [&](std::int32_t n) {
    return tiles.OnInnerLine({n % grid.columns, n / grid.columns});
  };
  SeamBand band(grid);
  MeshPiece gathered;
  UsedVertices in_band(grid);
  UsedVertices in_rest(grid);
  for (const MeshPiece& piece : pieces) {
    for (std::size_t t = 0; t < piece.triangles.size(); ++t) {
      const DecimationMesh::Corners& corners = piece.triangles[t];
      const bool at_line = std::any_of(corners.begin(), corners.end(), on_line);
      MeshPiece& to = at_line ? gathered : band.rest;
      to.triangles.push_back(corners);
      to.classes.push_back(piece.classes[t]);
      for (const std::int32_t n : corners)
        (at_line ? in_band : in_rest).Add(n);
    }
  }
  const std::int32_t count = in_band.Count();
  band.mesh.Clear(static_cast<std::size_t>(count), gathered.triangles.size());
  for (const std::int32_t n : in_band.All()) {
    const std::int32_t v = band.mesh.AddVertex({n % grid.columns, n / grid.columns}, in_rest.Has(n));
    if (on_line(n)) band.lines.push_back(v);
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
