#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "meshing/lattice.h"

namespace orvandel {

// The lattice points of one or two closed triangles' common part, found row by row in
// whole numbers, so that a point on an edge is always inside.
class LatticeRegion {
 public:
  // Narrows the region to the triangle a, b, c, which turns as the grid's triangles do.
  void Within(LatticePoint a, LatticePoint b, LatticePoint c) {
    AddEdge(a, b);
    AddEdge(b, c);
    AddEdge(c, a);
    first_row_ = std::max(first_row_, std::min({a.r, b.r, c.r}));
    last_row_ = std::min(last_row_, std::max({a.r, b.r, c.r}));
    first_column_ = std::max(first_column_, std::min({a.c, b.c, c.c}));
    last_column_ = std::min(last_column_, std::max({a.c, b.c, c.c}));
  }

  // visit(point) for every lattice point of the region, row by row, until visit returns
  // false; returns whether it never did.
  template <typename Visit>
  bool ForEachPoint(Visit&& visit) const {
    if (first_column_ > last_column_) return true;
    for (std::int32_t r = first_row_; r <= last_row_; ++r) {
      const auto [first, last] = Span(r);
      for (std::int64_t c = first; c <= last; ++c) {
        if (!visit(LatticePoint{static_cast<std::int32_t>(c), r})) return false;
      }
    }
    return true;
  }

 private:
  // a x column + b x row + c >= 0.
  struct HalfPlane {
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
  };
  using Columns = std::array<std::int64_t, 2>;

  // The side of the edge from p to q on which the triangle lies.
  void AddEdge(LatticePoint p, LatticePoint q) {
    const std::int64_t a = std::int64_t{p.r} - q.r;
    const std::int64_t b = std::int64_t{q.c} - p.c;
    sides_[count_++] = {a, b, -(a * p.c + b * p.r)};
  }

  // The first and last column of row r in the region (first > last: none).
  Columns Span(std::int32_t r) const {
    Columns span{first_column_, last_column_};
    for (std::size_t k = 0; k < count_; ++k)
      Narrow(sides_[k], r, span);
    return span;
  }

  // a x column >= need.
  static void Narrow(const HalfPlane& side, std::int32_t r, Columns& span) {
    const std::int64_t need = -(side.b * r + side.c);
    if (side.a > 0) {
      span[0] = std::max(span[0], CeilDivide(need, side.a));
    } else if (side.a < 0) {
      span[1] = std::min(span[1], FloorDivide(-need, -side.a));
    } else if (need > 0) {
      span = {1, 0};
    }
  }
  static std::int64_t FloorDivide(std::int64_t n, std::int64_t d) {
    return n / d - ((n % d != 0) && ((n < 0) != (d < 0)) ? 1 : 0);
  }
  static std::int64_t CeilDivide(std::int64_t n, std::int64_t d) { return -FloorDivide(-n, d); }

  std::array<HalfPlane, 6> sides_{};
  std::size_t count_ = 0;
  std::int32_t first_row_ = std::numeric_limits<std::int32_t>::min();
  std::int32_t last_row_ = std::numeric_limits<std::int32_t>::max();
  std::int32_t first_column_ = std::numeric_limits<std::int32_t>::min();
  std::int32_t last_column_ = std::numeric_limits<std::int32_t>::max();
};

}  // namespace orvandel
