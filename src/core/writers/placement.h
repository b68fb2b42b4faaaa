#pragma once

#include <array>
#include <string_view>

#include "geometry/bounds.h"
#include "orvandel/geometry/vector3.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// Where a true-scale file puts the mesh. A point p of the mesh in map units (x east,
// y north, z up) goes to Up(scale x (p - origin)). Up keeps the axes of a z-up file; for a
// y-up file it turns them about the x axis so that y points up and z south, (x, y, z)
// becoming (x, z, -y): a rotation, not a mirror, so that every face keeps its winding seen
// from outside and every normal only turns with it. The scale is positive.
class Placement {
 public:
  // Map units, z up: every point stays where it is.
  Placement() = default;
  Placement(double scale, std::array<double, 3> origin, UpAxis up, bool millimetres)
      : scale_(scale),
        origin_(origin),
        up_(up),
        millimetres_(millimetres),
        keeps_(scale == 1 && origin == std::array<double, 3>{} && up == UpAxis::kZ) {}

  // The writers place every vertex: one that stays is a copy.
  Vector3 Position(const Vector3& p) const {
    if (keeps_) return p;
    return Turned(scale_ * (p.x - origin_[0]), scale_ * (p.y - origin_[1]),
                  scale_ * (p.z - origin_[2]));
  }
  Vector3 Normal(const Vector3& n) const { return Turned(n.x, n.y, n.z); }
  // The extent of the placed mesh, from the extent of the mesh.
  AxisRanges Bounds(const AxisRanges& mesh) const;

  UpAxis Up() const { return up_; }
  // How a file's comment names them: "map units" or "millimetres"; "x east, y north, z up"
  // or "x east, y up, z south".
  std::string_view Units() const { return millimetres_ ? "millimetres" : "map units"; }
  std::string_view Axes() const {
    return up_ == UpAxis::kZ ? "x east, y north, z up" : "x east, y up, z south";
  }

 private:
  // Each coordinate is rounded to a float once.
  Vector3 Turned(double x, double y, double z) const {
    if (up_ == UpAxis::kY)
      return {static_cast<float>(x), static_cast<float>(z), static_cast<float>(-y)};
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
  }

  double scale_ = 1;
  std::array<double, 3> origin_{};
  UpAxis up_ = UpAxis::kZ;
  bool millimetres_ = false;  // the file is in millimetres, not map units
  bool keeps_ = true;
};

// The factor from map units to the units of a file printed print_width wide: print_width
// over the mesh's east-west extent x. 1 when print_width is 0, which keeps map units.
double PrintScale(const AxisRange& x, float print_width);

// The placement of a mesh that spans mesh (in map units) in a file of up axis up.
// - At a print width (print_width > 0), the mesh is scaled uniformly by PrintScale(), its
//   footprint centred on the origin and its lowest point put at height 0.
// - Otherwise (print_width 0) it stays at true scale where it lies; a y-up file measures
//   its z southwards from the map's top edge, whose y is top.
Placement PlaceMesh(const AxisRanges& mesh, float print_width, UpAxis up, float top);

}  // namespace orvandel
