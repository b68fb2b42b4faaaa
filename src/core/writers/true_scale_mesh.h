#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "writers/solid_base.h"
#include "writers/true_scale_terrain.h"

namespace orvandel {

// The corners of a triangle of the grid's triangulation in the opposite order. The
// triangulation's triangles run clockwise seen from above; today's formats want their
// faces counter-clockwise seen from outside.
constexpr Triangle CounterClockwise(const Triangle& t) {
  return {t.c, t.b, t.a};
}

// The mesh that the formats for today's 3D tools write: the grid and triangles of the 3DF
// mesh in map units at true scale (see TrueScaleTerrain), every face wound
// counter-clockwise seen from outside, and, when the options ask for a base, closed into
// a solid body (see SolidBase). Vertices are numbered as in the grid, the base's after
// them; faces come square by square as in the grid, then the base's.
class TrueScaleMesh {
 public:
  // Samples every cell once. Throws what TrueScaleTerrain and SolidBase throw.
  explicit TrueScaleMesh(MeshSource& source);
  TrueScaleMesh(const TrueScaleMesh&) = delete;  // the base refers to the terrain
  TrueScaleMesh& operator=(const TrueScaleMesh&) = delete;

  const TrueScaleTerrain& Terrain() const { return terrain_; }
  const GridLayout& Grid() const { return grid_; }
  const WritePreparation& Preparation() const { return prep_; }

  std::int32_t VertexCount() const;
  std::int64_t FaceCount() const;
  // The extent of all vertices on each axis.
  AxisRange XRange() const { return terrain_.XRange(); }
  AxisRange YRange() const { return terrain_.YRange(); }
  AxisRange ZRange() const;

  // The terrain's faces come by rows of grid squares, two faces per square.
  std::int32_t FacesPerRow() const { return 2 * std::max(terrain_.Columns() - 1, 0); }
  // Face k (from 0 to FacesPerRow() - 1) of the squares whose upper corners lie in row r:
  // the triangles of the grid's triangulation in its order, corners reversed.
  Triangle TerrainFace(std::int32_t r, std::int32_t k) const {
    const auto triangles = SquareTriangles(r * terrain_.Columns() + k / 2, terrain_.Columns());
    return CounterClockwise(k % 2 == 0 ? triangles[0] : triangles[1]);
  }

  // visit(position, unit normal) for every vertex, in vertex order.
  template <typename Visit>
  void ForEachVertex(Visit&& visit) const;
  // visit(triangle) with the vertex numbers of every face, in face order.
  template <typename Visit>
  void ForEachTriangle(Visit&& visit) const;
  // visit(triangle) for every face of the base (none without a base), in face order.
  template <typename Visit>
  void ForEachBaseTriangle(Visit&& visit) const;
  // visit(face) for every face with its corners' positions, in face order.
  template <typename Visit>
  void ForEachFace(Visit&& visit) const;

 private:
  // The position of terrain vertex v, which lies in row r or r + 1.
  Vector3 CornerNear(std::int32_t v, std::int32_t r) const {
    const std::int32_t columns = terrain_.Columns();
    const std::int32_t next_row = (r + 1) * columns;
    return v < next_row ? terrain_.Position(v - r * columns, r)
                        : terrain_.Position(v - next_row, r + 1);
  }

  GridLayout& grid_;
  const WritePreparation& prep_;
  TrueScaleTerrain terrain_;
  std::optional<SolidBase> base_;
};

template <typename Visit>
void TrueScaleMesh::ForEachVertex(Visit&& visit) const {
  for (std::int32_t r = 0; r < terrain_.Rows(); ++r) {
    for (std::int32_t c = 0; c < terrain_.Columns(); ++c)
      visit(terrain_.Position(c, r), terrain_.Normal(c, r));
  }
  if (!base_) return;
  for (std::int32_t i = 0; i < base_->VertexCount(); ++i)
    visit(base_->Position(i), base_->Normal(i));
}

template <typename Visit>
void TrueScaleMesh::ForEachTriangle(Visit&& visit) const {
  for (std::int32_t r = 0; r + 1 < terrain_.Rows(); ++r) {
    for (std::int32_t k = 0; k < FacesPerRow(); ++k)
      visit(TerrainFace(r, k));
  }
  ForEachBaseTriangle(visit);
}

template <typename Visit>
void TrueScaleMesh::ForEachBaseTriangle(Visit&& visit) const {
  if (base_) base_->ForEachFace(grid_.VertexCount, [&](const MeshFace& f) { visit(f.vertices); });
}

template <typename Visit>
void TrueScaleMesh::ForEachFace(Visit&& visit) const {
  for (std::int32_t r = 0; r + 1 < terrain_.Rows(); ++r) {
    for (std::int32_t k = 0; k < FacesPerRow(); ++k) {
      const Triangle t = TerrainFace(r, k);
      visit(MeshFace{t, {CornerNear(t.a, r), CornerNear(t.b, r), CornerNear(t.c, r)}});
    }
  }
  if (base_) base_->ForEachFace(grid_.VertexCount, visit);
}

}  // namespace orvandel
