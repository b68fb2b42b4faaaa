#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "orvandel/meshing/height_grid.h"
#include "orvandel/meshing/simplify_terrain.h"

namespace orvandel {

// A corner of a mesh triangle on the grid's lattice, with the height the mesh gives it.
struct LatticeCorner {
  std::int32_t c = 0;
  std::int32_t r = 0;
  double z = 0;
};
using LatticeTriangle = std::array<LatticeCorner, 3>;

// The largest vertical distance, over every grid vertex, between the grid's height and the
// surface of the triangles (taken at every triangle that holds the vertex). A grid vertex
// that no triangle holds counts as infinitely far.
double MaxVerticalError(const HeightGrid& grid, std::span<const LatticeTriangle> triangles);

// The same for a simplified terrain of the grid.
double MaxVerticalError(const HeightGrid& grid, const SimplifiedTerrain& mesh);

}  // namespace orvandel
