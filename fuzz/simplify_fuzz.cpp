// Feeds small grids of heights and classes to the terrain simplifier, with any bound: the
// mesh must stay within the bound at every grid vertex and cover the grid's rectangle edge
// to edge with triangles that turn counter-clockwise seen from above, never crash or leak.
//
// Input: columns and rows (a byte each, at most 12, so that a run stays short), a choice
// byte for the bound, eight heights (floats; those that are not finite read as 0), then a
// byte per grid vertex choosing its height and a byte per grid triangle its class.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "orvandel/meshing/simplify_terrain.h"
#include "orvandel/meshing/vertical_error.h"

namespace {

using namespace orvandel;

void Require(bool promise) {
  if (!promise) std::abort();
}

std::int64_t TwiceArea(const HeightGrid& grid, const SimplifiedTerrain& mesh, const Triangle& t) {
  const auto at = [&](std::int32_t v, bool row) {
    const std::int32_t n = mesh.vertices[static_cast<std::size_t>(v)];
    return std::int64_t{row ? n / grid.columns : n % grid.columns};
  };
  // Rows run south: counter-clockwise seen from above is clockwise in columns and rows.
  return (at(t.c, false) - at(t.a, false)) * (at(t.b, true) - at(t.a, true)) -
         (at(t.c, true) - at(t.a, true)) * (at(t.b, false) - at(t.a, false));
}

// Every edge inside joins two triangles in opposite directions, and the triangles fill
// the rectangle.
void RequireWhole(const HeightGrid& grid, const SimplifiedTerrain& mesh) {
  std::map<std::pair<std::int32_t, std::int32_t>, int> edges;
  std::int64_t area = 0;
  for (const Triangle& t : mesh.triangles) {
    Require(TwiceArea(grid, mesh, t) > 0);
    area += TwiceArea(grid, mesh, t);
    for (const auto& edge : {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}})
      Require(++edges[edge] == 1);
  }
  const bool squares = grid.columns > 1 && grid.rows > 1;
  Require(area == (squares ? 2 * std::int64_t{grid.columns - 1} * (grid.rows - 1) : 0));
  std::size_t border = 0;
  for (const auto& [edge, count] : edges)
    border += edges.count({edge.second, edge.first}) == 0 ? 1 : 0;
  Require(border == mesh.boundary.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::int32_t columns = input.Byte() % 13;
  const std::int32_t rows = input.Byte() % 13;
  constexpr double kBounds[] = {0, 0.001, 0.5, 3, 40, 1e30};
  const double bound = kBounds[input.Byte() % std::size(kBounds)];
  std::vector<float> heights;
  for (int k = 0; k < 8; ++k) {
    const float h = input.Float();
    heights.push_back(std::isfinite(h) ? h : 0);
  }
  std::vector<float> z(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  for (float& h : z)
    h = heights[input.Byte() % heights.size()];
  std::vector<std::uint8_t> classes(2 * static_cast<std::size_t>(std::max(columns - 1, 0)) *
                                    static_cast<std::size_t>(std::max(rows - 1, 0)));
  for (std::uint8_t& c : classes)
    c = input.Byte() % 3;
  const HeightGrid grid{columns, rows, z, classes};
  const SimplifiedTerrain mesh = SimplifyTerrain(grid, bound, 1 + input.Byte() % 3);
  RequireWhole(grid, mesh);
  if (!mesh.triangles.empty())
    Require(MaxVerticalError(grid, mesh) <= std::max(bound, HeightTolerance(grid)));
  return 0;
}
