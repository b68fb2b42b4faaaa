#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "orvandel/fileio/ordered_bands.h"
#include "orvandel/fileio/parallel_parts.h"
#include "writers/solid_base.h"
#include "writers/true_scale_terrain.h"
#include "writers/vertex_range.h"

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
  // Samples every cell once. Throws Refusal kNoTriangles for a grid without a square, and
  // what TrueScaleTerrain and SolidBase throw.
  explicit TrueScaleMesh(const MeshSource& source);
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

  // The vertices and faces of the terrain come first, in the order of the grid, then those
  // of the base; writers share the terrain's among threads, by ranges of vertices and of
  // rows of squares.

  // visit(position, unit normal) for the terrain vertices in range, in vertex order.
  template <typename Visit>
  void ForEachTerrainVertex(PartRange range, Visit&& visit) const;
  // visit(position, unit normal) for every vertex of the base (none without a base).
  template <typename Visit>
  void ForEachBaseVertex(Visit&& visit) const;
  // visit(a, b, c) with the corners' positions of every terrain face in the rows of squares
  // [rows.begin, rows.end), in face order.
  template <typename Visit>
  void ForEachTerrainFace(PartRange rows, Visit&& visit) const;
  // visit(face) for every face of the base, in face order.
  template <typename Visit>
  void ForEachBaseFace(Visit&& visit) const {
    if (base_) base_->ForEachFace(grid_.VertexCount, visit);
  }
  // visit(triangle) for every face of the base, in face order.
  template <typename Visit>
  void ForEachBaseTriangle(Visit&& visit) const {
    ForEachBaseFace([&](const MeshFace& f) { visit(f.vertices); });
  }

 private:
  const GridLayout& grid_;
  const WritePreparation& prep_;
  TrueScaleTerrain terrain_;
  std::optional<SolidBase> base_;
};

template <typename Visit>
void TrueScaleMesh::ForEachTerrainVertex(PartRange range, Visit&& visit) const {
  ForEachVertexIn(range, static_cast<std::size_t>(terrain_.Columns()),
                  [&](std::size_t, std::size_t c, std::size_t r) {
                    const auto column = static_cast<std::int32_t>(c);
                    const auto row = static_cast<std::int32_t>(r);
                    visit(terrain_.Position(column, row), terrain_.Normal(column, row));
                  });
}

template <typename Visit>
void TrueScaleMesh::ForEachBaseVertex(Visit&& visit) const {
  if (!base_) return;
  for (std::int32_t i = 0; i < base_->VertexCount(); ++i)
    visit(base_->Position(i), base_->Normal(i));
}

// The positions of the two rows of cells of a row of squares are worked out once per row.
template <typename Visit>
void TrueScaleMesh::ForEachTerrainFace(PartRange rows, Visit&& visit) const {
  const std::int32_t columns = terrain_.Columns();
  if (rows.begin >= rows.end || columns < 2) return;
  std::vector<Vector3> upper(static_cast<std::size_t>(columns)), lower(upper.size());
  const auto positions = [&](std::size_t r, std::vector<Vector3>& row) {
    for (std::int32_t c = 0; c < columns; ++c)
      row[static_cast<std::size_t>(c)] = terrain_.Position(c, static_cast<std::int32_t>(r));
  };
  positions(rows.begin, upper);
  for (std::size_t r = rows.begin; r < rows.end; ++r) {
    positions(r + 1, lower);
    // TerrainFace's corners: (n + C + 1, n + 1, n), then (n + C, n + C + 1, n).
    for (std::size_t c = 0; c + 1 < upper.size(); ++c) {
      visit(lower[c + 1], upper[c + 1], upper[c]);
      visit(lower[c], lower[c + 1], upper[c]);
    }
    std::swap(upper, lower);
  }
}

// Writes put(position, normal, out) for every vertex of mesh in order: the terrain's in
// bands on threads threads, each band into a sink of its own, then the base's. vertex_bytes
// is about the output of one vertex.
template <typename Put>
void WriteMeshVertices(const TrueScaleMesh& mesh, std::size_t vertex_bytes, ThreadCount threads,
                       ByteSink& out, Put&& put) {
  WriteBandsInOrder(
      static_cast<std::size_t>(mesh.Grid().VertexCount), vertex_bytes, threads,
      [&](PartRange range, ByteSink& sink) {
        mesh.ForEachTerrainVertex(range,
                                  [&](const Vector3& p, const Vector3& n) { put(p, n, sink); });
      },
      out);
  mesh.ForEachBaseVertex([&](const Vector3& p, const Vector3& n) { put(p, n, out); });
}

// Writes write(rows, sink) for the rows of squares of mesh's terrain in bands on threads
// threads, in order. face_bytes is about the output of one face.
inline void WriteTerrainRows(const TrueScaleMesh& mesh, std::size_t face_bytes, ThreadCount threads,
                             const FormatItems& write, ByteSink& out) {
  WriteBandsInOrder(SquareRowCount(mesh.Grid()),
                    face_bytes * static_cast<std::size_t>(mesh.FacesPerRow()), threads, write, out);
}

}  // namespace orvandel
