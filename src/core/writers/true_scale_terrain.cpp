#include "writers/true_scale_terrain.h"

#include <algorithm>
#include <cmath>

#include "orvandel/fileio/failure.h"
#include "writers/unit_normal.h"

namespace orvandel {
namespace {

// World coordinates span 2 units along the map's longer side, centred on the origin.
float MapUnits(float world, double half_scale, float extent) {
  return static_cast<float>(world * half_scale + 0.5 * extent);
}

// 1 / (coordinate[k + 1] - coordinate[k - 1]) for every k, a neighbour beyond an end
// being k itself.
std::vector<double> ReciprocalSteps(const std::vector<float>& coordinate) {
  std::vector<double> per(coordinate.size());
  for (std::size_t k = 0; k < per.size(); ++k) {
    const double run =
        double{coordinate[std::min(k + 1, per.size() - 1)]} - coordinate[k == 0 ? 0 : k - 1];
    per[k] = run != 0 ? 1 / run : 0;
  }
  return per;
}

}  // namespace

TrueScaleTerrain::TrueScaleTerrain(const MeshSource& source)
    : columns_(source.grid.Columns),
      rows_(source.grid.Rows),
      z_factor_(double{source.settings.Scale} * source.options.vertical_scale),
      heights_(FiniteHeightsInVertexOrder(source)) {
  const GeneratorSettings& settings = source.settings;
  const double half_scale = 0.5 * settings.Scale;
  for (std::int32_t c = 0; c < columns_; ++c)
    x_.push_back(MapUnits(source.sampler.ColumnX(c), half_scale, settings.Mapwidth));
  for (std::int32_t r = 0; r < rows_; ++r)
    y_.push_back(MapUnits(source.sampler.RowY(r), half_scale, settings.Mapheight));
  TakeRanges();
  per_x_ = ReciprocalSteps(x_);
  per_y_ = ReciprocalSteps(y_);
}

void TrueScaleTerrain::TakeRanges() {
  for (const float x : x_)
    x_range_.Take(x);
  for (const float y : y_)
    y_range_.Take(y);
  for (std::size_t n = 0; n < heights_.size(); ++n)
    z_range_.Take(Z(n));
  for (const AxisRange* range : {&x_range_, &y_range_, &z_range_}) {
    RequireFiniteVertex(range->low);
    RequireFiniteVertex(range->high);
  }
}

Vector3 TrueScaleTerrain::Normal(std::int32_t c, std::int32_t r) const {
  const auto west = static_cast<std::size_t>(std::max(c - 1, 0));
  const auto east = static_cast<std::size_t>(std::min(c + 1, columns_ - 1));
  const auto north = static_cast<std::size_t>(std::max(r - 1, 0));
  const auto south = static_cast<std::size_t>(std::min(r + 1, rows_ - 1));
  const auto columns = static_cast<std::size_t>(columns_);
  const std::size_t row = static_cast<std::size_t>(r) * columns;
  const auto column = static_cast<std::size_t>(c);
  // Rows run south, so the row before lies north.
  const double slope_east = (double{Z(row + east)} - Z(row + west)) * per_x_[column];
  const double slope_north = (double{Z(south * columns + column)} - Z(north * columns + column)) *
                             per_y_[static_cast<std::size_t>(r)];
  return UnitNormal(-slope_east, -slope_north, 1);
}

}  // namespace orvandel
