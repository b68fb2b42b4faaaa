#include "orvandel/meshing/vertical_error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "meshing/lattice_region.h"

namespace orvandel {

double MaxVerticalError(const HeightGrid& grid, std::span<const LatticeTriangle> triangles) {
  std::vector<bool> seen(grid.z.size());
  double largest = 0;
  for (const LatticeTriangle& t : triangles) {
    HeightTriangle corners;
    for (std::size_t k = 0; k < 3; ++k)
      corners[k] = {{t[k].c, t[k].r}, t[k].z};
    if (Cross(corners[0].at, corners[1].at, corners[2].at) < 0) std::swap(corners[1], corners[2]);
    if (Cross(corners[0].at, corners[1].at, corners[2].at) == 0) continue;
    const LatticePlane plane(corners[0], corners[1], corners[2]);
    LatticeRegion region;
    region.Within(corners[0].at, corners[1].at, corners[2].at);
    region.ForEachPoint([&](LatticePoint p) {
      if (p.c < 0 || p.r < 0 || p.c >= grid.columns || p.r >= grid.rows) return true;
      largest = std::max(largest, std::abs(plane.At(p) - grid.Z(p.c, p.r)));
      seen[static_cast<std::size_t>(p.r) * static_cast<std::size_t>(grid.columns) +
           static_cast<std::size_t>(p.c)] = true;
      return true;
    });
  }
  const bool all_seen = std::all_of(seen.begin(), seen.end(), [](bool s) { return s; });
  return all_seen ? largest : std::numeric_limits<double>::infinity();
}

double MaxVerticalError(const HeightGrid& grid, const SimplifiedTerrain& mesh) {
  std::vector<LatticeTriangle> triangles;
  triangles.reserve(mesh.triangles.size());
  for (const Triangle& t : mesh.triangles) {
    LatticeTriangle corners;
    std::size_t k = 0;
    for (const std::int32_t v : {t.a, t.b, t.c}) {
      const std::int32_t n = mesh.vertices[static_cast<std::size_t>(v)];
      const std::int32_t c = n % grid.columns;
      const std::int32_t r = n / grid.columns;
      corners[k++] = {c, r, grid.Z(c, r)};
    }
    triangles.push_back(corners);
  }
  return MaxVerticalError(grid, triangles);
}

}  // namespace orvandel
