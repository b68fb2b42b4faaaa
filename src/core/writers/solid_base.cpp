#include "writers/solid_base.h"

#include <cassert>
#include <cmath>
#include <limits>
#include <utility>

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

float Middle(const AxisRange& range) {
  return static_cast<float>(0.5 * (double{range.low} + range.high));
}

// -1, 0 or 1: the way from one cell to the next along an edge, however far apart.
std::int32_t Way(std::int32_t from, std::int32_t to) {
  return (to > from) - (to < from);
}

}  // namespace

std::vector<BorderVertex> GridBorder(std::int32_t columns, std::int32_t rows) {
  assert(columns >= 2 && rows >= 2);
  struct Side {
    std::int32_t dc, dr, steps;
  };
  const Side sides[] = {
      {0, 1, rows - 1}, {1, 0, columns - 1}, {0, -1, rows - 1}, {-1, 0, columns - 1}};
  std::vector<BorderVertex> border;
  BorderVertex at;
  for (const Side& side : sides) {
    for (std::int32_t k = 0; k < side.steps; ++k) {
      border.push_back(at);
      at.c += side.dc;
      at.r += side.dr;
      at.vertex = at.r * columns + at.c;
    }
  }
  return border;
}

SolidBase::SolidBase(const TrueScaleTerrain& terrain, std::vector<BorderVertex> border,
                     const AxisRanges& extent, float thickness)
    : terrain_(terrain),
      ring_(std::move(border)),
      bottom_z_(BottomBelow(extent.z.low, thickness)),
      middle_{Middle(extent.x), Middle(extent.y), bottom_z_} {
  assert(ring_.size() >= 3);
  RequireFiniteVertex(bottom_z_);
}

Vector3 SolidBase::Position(std::int32_t i) const {
  if (i == RingSize()) return middle_;
  const Vector3 top = TerrainPosition(i);
  return {top.x, top.y, bottom_z_};
}

Vector3 SolidBase::Normal(std::int32_t i) const {
  if (i == RingSize()) return {0, 0, -1};
  // Outward lies to the right of the way round (rows run south); a corner's normal lies
  // between its two sides'.
  const BorderVertex& before = Ring((i + RingSize() - 1) % RingSize());
  const BorderVertex& at = Ring(i);
  const BorderVertex& after = Ring((i + 1) % RingSize());
  const std::int32_t dc = Way(before.c, at.c) + Way(at.c, after.c);
  const std::int32_t dr = Way(before.r, at.r) + Way(at.r, after.r);
  return UnitNormal(-dr, -dc, 0);
}

}  // namespace orvandel
