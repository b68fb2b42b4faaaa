#pragma once

#include <array>
#include <cstdint>

#include "orvandel/generator/generator_state.h"

namespace orvandel {

// Three vertex numbers, in their order in the mesh.
struct Triangle {
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::int32_t c = 0;
};

// The two triangles of the grid square whose upper left vertex is n: (n, n+1, n+C+1) and
// (n, n+C+1, n+C). The diagonal runs from the upper left to the lower right corner.
constexpr std::array<Triangle, 2> SquareTriangles(std::int32_t n, std::int32_t columns) {
  return {Triangle{n, n + 1, n + columns + 1}, Triangle{n, n + columns + 1, n + columns}};
}

// 2 x (Columns - 1) x (Rows - 1): two triangles per grid square, none without squares.
constexpr std::int32_t TriangleCountOf(const GridLayout& grid) {
  if (grid.Columns < 2 || grid.Rows < 2) return 0;
  return 2 * (grid.Columns - 1) * (grid.Rows - 1);
}

// Calls visit(n) for the upper left vertex n of every grid square, in row-major order.
template <typename Visit>
void ForEachSquare(const GridLayout& grid, Visit&& visit) {
  for (std::int32_t r = 0; r + 1 < grid.Rows; ++r) {
    for (std::int32_t c = 0; c + 1 < grid.Columns; ++c)
      visit(r * grid.Columns + c);
  }
}

}  // namespace orvandel
