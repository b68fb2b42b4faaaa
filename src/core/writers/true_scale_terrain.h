#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/bounds.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/geometry/vector3.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// One face of a mesh: its three vertex numbers and their positions.
struct MeshFace {
  Triangle vertices;
  std::array<Vector3, 3> corners;
};

// The sampled terrain in map units at true scale: x east from 0 at the map's left edge to
// Mapwidth at its right edge, y north from 0 at its bottom edge to Mapheight at its top
// edge, z the cell height in map units times the vertical scale. It keeps one cell height
// per vertex, the x of every column and the y of every row, and forms positions and
// normals from them when asked.
class TrueScaleTerrain {
 public:
  // Samples every cell once, on source.threads threads. Throws Refusal kNotFiniteVertex
  // when a coordinate, such as a height times the vertical scale, exceeds what a float holds.
  explicit TrueScaleTerrain(const MeshSource& source);

  std::int32_t Columns() const { return columns_; }
  std::int32_t Rows() const { return rows_; }
  // The cell heights in vertex order, before any factor: what the height classes use.
  const std::vector<float>& CellHeights() const { return heights_; }

  Vector3 Position(std::int32_t c, std::int32_t r) const {
    return {x_[static_cast<std::size_t>(c)], y_[static_cast<std::size_t>(r)],
            Z(static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_) +
              static_cast<std::size_t>(c))};
  }
  // The unit normal of the surface at a vertex, from the slopes towards its neighbours
  // on either side (towards the one neighbour at an edge; level without one).
  Vector3 Normal(std::int32_t c, std::int32_t r) const;
  // The position and the normal of the vertex numbered n (r x Columns + c).
  Vector3 PositionOf(std::int32_t n) const { return Position(n % columns_, n / columns_); }
  Vector3 NormalOf(std::int32_t n) const { return Normal(n % columns_, n / columns_); }
  // From cell heights to map units, times the vertical scale.
  double ZFactor() const { return z_factor_; }

  // The extent of the vertices on each axis.
  const AxisRange& XRange() const { return x_range_; }
  const AxisRange& YRange() const { return y_range_; }
  const AxisRange& ZRange() const { return z_range_; }

 private:
  float Z(std::size_t n) const { return static_cast<float>(heights_[n] * z_factor_); }
  void TakeRanges();

  std::int32_t columns_;
  std::int32_t rows_;
  double z_factor_;             // from cell heights to map units, times the vertical scale
  std::vector<float> heights_;  // in vertex order
  std::vector<float> x_;
  std::vector<float> y_;
  // 1 / the distance between the neighbours on either side of a column (a row), or 0
  // where there is none: what turns a difference of heights into a slope.
  std::vector<double> per_x_;
  std::vector<double> per_y_;
  AxisRange x_range_;
  AxisRange y_range_;
  AxisRange z_range_;
};

}  // namespace orvandel
