#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace orvandel {

// A grid vertex by its column and row.
struct LatticePoint {
  std::int32_t c = 0;
  std::int32_t r = 0;
};

// Twice the signed area of the triangle o, a, b in column-row space: positive when it turns
// as the grid's own triangles do (clockwise seen from above, rows running south).
inline std::int64_t Cross(LatticePoint o, LatticePoint a, LatticePoint b) {
  return std::int64_t{a.c - o.c} * (b.r - o.r) - std::int64_t{a.r - o.r} * (b.c - o.c);
}

// A lattice point with a height: a corner of a mesh triangle.
struct HeightPoint {
  LatticePoint at;
  double z = 0;
};

// The plane through three corners whose points are not on one line.
class LatticePlane {
 public:
  LatticePlane(const HeightPoint& a, const HeightPoint& b, const HeightPoint& c)
      : origin_(a.at), z0_(a.z) {
    const double area = static_cast<double>(Cross(a.at, b.at, c.at));
    const double db = b.z - a.z;
    const double dc = c.z - a.z;
    per_column_ = (db * (c.at.r - a.at.r) - dc * (b.at.r - a.at.r)) / area;
    per_row_ = (dc * (b.at.c - a.at.c) - db * (c.at.c - a.at.c)) / area;
  }

  double At(LatticePoint p) const {
    return z0_ + per_column_ * (p.c - origin_.c) + per_row_ * (p.r - origin_.r);
  }

 private:
  LatticePoint origin_;
  double z0_;
  double per_column_ = 0;
  double per_row_ = 0;
};

// Whether q lies on the plane through a, b and c, exactly as far as doubles tell: the
// test compares two sums of products of whole areas and height differences, which are
// exact for level ground and most slopes; a plane that differs by a rounding counts as
// another plane.
inline bool OnPlane(const HeightPoint& a, const HeightPoint& b, const HeightPoint& c,
                    const HeightPoint& q) {
  const auto area = static_cast<double>(Cross(a.at, b.at, c.at));
  const auto towards_b = static_cast<double>(Cross(a.at, q.at, c.at));
  const auto towards_c = static_cast<double>(Cross(a.at, b.at, q.at));
  return (q.z - a.z) * area == towards_b * (b.z - a.z) + towards_c * (c.z - a.z);
}

using HeightTriangle = std::array<HeightPoint, 3>;

// Whether q lies on the plane of the triangle t (see OnPlane).
inline bool OnPlane(const HeightTriangle& t, const HeightPoint& q) {
  return OnPlane(t[0], t[1], t[2], q);
}

// The smallest rectangle of columns and rows that holds some points.
struct LatticeBox {
  LatticePoint low{std::numeric_limits<std::int32_t>::max(),
                   std::numeric_limits<std::int32_t>::max()};
  LatticePoint high{std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::min()};

  void Take(LatticePoint p) {
    low = {std::min(low.c, p.c), std::min(low.r, p.r)};
    high = {std::max(high.c, p.c), std::max(high.r, p.r)};
  }
  bool Meets(const LatticeBox& other) const {
    return low.c <= other.high.c && other.low.c <= high.c && low.r <= other.high.r &&
           other.low.r <= high.r;
  }
};

inline LatticeBox BoxOf(const HeightTriangle& t) {
  LatticeBox box;
  for (const HeightPoint& corner : t)
    box.Take(corner.at);
  return box;
}

}  // namespace orvandel
