#pragma once

#include <cstdint>
#include <span>

namespace orvandel {

// The surface a simplified terrain must follow: the heights of a grid of cells and the
// height class of each of its triangles. Vertex n = r x columns + c is the cell in column
// c and row r, row 0 the map's top. The cells are evenly spaced, so that the surface is
// taken over the lattice of columns and rows: a vertical distance there is the same in map
// units, x and y being linear in the column and the row.
struct HeightGrid {
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  // The written height of every vertex, in vertex order (map units after the vertical scale).
  std::span<const float> z;
  // The class of each grid triangle, two per square in the order of SquareTriangles; any
  // value, triangles of equal value forming one class (a material).
  std::span<const std::uint8_t> classes;

  float Z(std::int32_t c, std::int32_t r) const {
    return z[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
             static_cast<std::size_t>(c)];
  }
  // The class of triangle k (0 or 1) of the square whose upper left vertex is (c, r).
  std::uint8_t ClassOf(std::int32_t c, std::int32_t r, int k) const {
    return classes[2 * (static_cast<std::size_t>(r) * static_cast<std::size_t>(columns - 1) +
                        static_cast<std::size_t>(c)) +
                   static_cast<std::size_t>(k)];
  }
};

}  // namespace orvandel
