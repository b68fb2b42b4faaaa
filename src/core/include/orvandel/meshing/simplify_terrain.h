#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// A terrain meshed with as few triangles as its surface needs.
struct SimplifiedTerrain {
  // The grid vertex numbers that the mesh keeps, ascending: vertex i of the mesh is grid
  // vertex vertices[i].
  std::vector<std::int32_t> vertices;
  // Triangles over the mesh's vertex numbers, counter-clockwise seen from above, each
  // covering grid triangles of one class only: classes[k] is that of triangles[k].
  std::vector<Triangle> triangles;
  std::vector<std::uint8_t> classes;
  // The mesh's vertex numbers along the grid's outer edge, counter-clockwise seen from
  // above: from the top left corner down the left edge, along the bottom edge, up the right
  // edge and back along the top edge, the corner not repeated.
  std::vector<std::int32_t> boundary;
};

// The vertical distance below which two heights count as equal: a few float roundings of
// the largest height of the grid (2^-21 of it). With a bound of 0 the mesh keeps every grid
// vertex within it.
double HeightTolerance(const HeightGrid& grid);

// Meshes the grid's surface with few triangles such that at every grid vertex the mesh's
// surface lies within max_error (0 or more), or within HeightTolerance(grid) where that is
// larger, of the grid's height: a bound of 0 is lossless. The triangles cover exactly the
// grid's rectangle with no holes and no T-junctions (every inner edge joins two
// triangles), class borders stay edges, and flat regions become few large triangles. The
// heights must be finite. Works on up to threads threads; the result never depends on
// their number. The grid needs at least two columns and two rows for any triangle;
// otherwise the result is empty. Throws std::bad_alloc when memory runs out.
SimplifiedTerrain SimplifyTerrain(const HeightGrid& grid, double max_error, ThreadCount threads);

}  // namespace orvandel
