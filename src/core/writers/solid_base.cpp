#include "writers/solid_base.h"

#include <cassert>
#include <cmath>
#include <limits>

#include "orvandel/fileio/failure.h"
#include "writers/unit_normal.h"

namespace orvandel {
namespace {

// At least one float step below the lowest vertex, however thin the base and however high
// the terrain, so that no wall is flat.
float BottomBelow(float lowest, float thickness) {
  const auto bottom = static_cast<float>(double{lowest} - thickness);
  return bottom < lowest ? bottom : std::nextafter(lowest, -std::numeric_limits<float>::max());
}

}  // namespace

SolidBase::SolidBase(const TrueScaleTerrain& terrain, float thickness)
    : terrain_(terrain), bottom_z_(BottomBelow(terrain.ZRange().low, thickness)) {
  const std::int32_t columns = terrain.Columns(), rows = terrain.Rows();
  assert(columns >= 2 && rows >= 2);
  RequireFiniteVertex(bottom_z_);
  // Down the left edge, along the bottom edge, up the right edge, back along the top.
  struct Side {
    std::int32_t dc, dr, steps;
  };
  const Side sides[] = {
      {0, 1, rows - 1}, {1, 0, columns - 1}, {0, -1, rows - 1}, {-1, 0, columns - 1}};
  Cell at;
  for (const Side& side : sides) {
    for (std::int32_t k = 0; k < side.steps; ++k) {
      ring_.push_back(at);
      at.c += side.dc;
      at.r += side.dr;
    }
  }
}

Vector3 SolidBase::Position(std::int32_t i) const {
  if (i == RingSize()) {
    const AxisRange& x = terrain_.XRange();
    const AxisRange& y = terrain_.YRange();
    return {static_cast<float>(0.5 * (double{x.low} + x.high)),
            static_cast<float>(0.5 * (double{y.low} + y.high)), bottom_z_};
  }
  const Vector3 top = TerrainPosition(i);
  return {top.x, top.y, bottom_z_};
}

Vector3 SolidBase::Normal(std::int32_t i) const {
  if (i == RingSize()) return {0, 0, -1};
  // Outward lies to the right of the way round (rows run south); a corner's normal lies
  // between its two sides'.
  const Cell& before = RingCell((i + RingSize() - 1) % RingSize());
  const Cell& after = RingCell((i + 1) % RingSize());
  const std::int32_t dc = after.c - before.c, dr = after.r - before.r;
  return UnitNormal(-dr, -dc, 0);
}

}  // namespace orvandel
