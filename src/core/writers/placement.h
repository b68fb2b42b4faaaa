#pragma once

#include <array>
#include <cstdint>

#include "orvandel/geometry/bounds.h"
#include "orvandel/geometry/vector3.h"

namespace orvandel {

// The axis of a file that points up, along which the terrain's heights run.
enum class UpAxis : std::uint8_t { kY, kZ };

// The extent of a mesh on each axis.
struct MeshBounds {
  AxisRange x;
  AxisRange y;
  AxisRange z;
};

// Where a true-scale file puts the mesh. A point p of the mesh in map units (x east,
// y north, z up) goes to Up(scale x (p - origin)). Up keeps the axes of a z-up file; for a
// y-up file it turns them about the x axis so that y points up and z south, (x, y, z)
// becoming (x, z, -y): a rotation, not a mirror, so that every face keeps its winding seen
// from outside and every normal only turns with it. The scale is positive.
struct Placement {
  double scale = 1;
  std::array<double, 3> origin{};
  UpAxis up = UpAxis::kZ;

  Vector3 Position(const Vector3& p) const;
  Vector3 Normal(const Vector3& n) const;
  // The extent of the placed mesh, from the extent of the mesh.
  MeshBounds Bounds(const MeshBounds& mesh) const;
};

// The factor from map units to the units of a file printed print_width wide: print_width
// over the mesh's east-west extent x. 1 when print_width is 0, which keeps map units.
double PrintScale(const AxisRange& x, float print_width);

// The placement of a mesh that spans mesh (in map units) in a file of up axis up.
// - At a print width (print_width > 0), the mesh is scaled uniformly by PrintScale(), its
//   footprint centred on the origin and its lowest point put at height 0.
// - Otherwise (print_width 0) it stays at true scale where it lies; a y-up file measures
//   its z southwards from the map's top edge, whose y is top.
Placement PlaceMesh(const MeshBounds& mesh, float print_width, UpAxis up, float top);

}  // namespace orvandel
