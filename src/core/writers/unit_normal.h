#pragma once

#include <cmath>

#include "orvandel/geometry/vector3.h"

namespace orvandel {

// The vector (x, y, z) scaled to length 1, or the zero vector when it has no length.
inline Vector3 UnitNormal(double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0)) return {};
  const double per_length = 1 / length;
  return {static_cast<float>(x * per_length), static_cast<float>(y * per_length),
          static_cast<float>(z * per_length)};
}

// The unit normal of the triangle a, b, c on the side from which its corners run
// counter-clockwise; the zero vector for a triangle without area.
inline Vector3 FacetNormal(const Vector3& a, const Vector3& b, const Vector3& c) {
  const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
  const double vx = double{c.x} - a.x, vy = double{c.y} - a.y, vz = double{c.z} - a.z;
  return UnitNormal(uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx);
}

}  // namespace orvandel
