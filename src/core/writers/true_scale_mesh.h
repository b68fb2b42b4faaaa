#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "fileio/ordered_bands.h"
#include "fileio/parallel_parts.h"
#include "writers/placement.h"
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

// The mesh that the formats for today's 3D tools write: a surface over the sampled
// terrain in map units at true scale (see TrueScaleTerrain), every face wound
// counter-clockwise seen from outside, and, when the options ask for a base, closed into
// a solid body (see SolidBase). Every position and normal it gives is placed as the
// options' print width and up axis say (see PlaceMesh; z up when the options name no
// axis): in map units, z up, the mesh stays as it is sampled.
//
// The surface is either the full grid, whose vertices and faces are formed as they are
// written, in the grid's order (faces square by square, each square's two triangles of the
// triangulation), or the IndexedSurface that the options' SurfaceMaker makes, in its own
// order; the base's vertices and faces come after the surface's. Writers share the
// surface's among threads, by ranges of vertices and of face items.
class TrueScaleMesh {
 public:
  // Samples every cell once and makes the surface. Throws Refusal kNoTriangles for a grid
  // without a square, Refusal kNotFiniteVertex for a placed vertex beyond the float range,
  // and what TrueScaleTerrain, the SurfaceMaker and SolidBase throw.
  explicit TrueScaleMesh(const MeshSource& source);
  TrueScaleMesh(const TrueScaleMesh&) = delete;  // the base refers to the terrain
  TrueScaleMesh& operator=(const TrueScaleMesh&) = delete;

  const TrueScaleTerrain& Terrain() const { return terrain_; }
  const GridLayout& Grid() const { return grid_; }
  const WritePreparation& Preparation() const { return prep_; }
  // The surface made in place of the full grid, or null for the full grid.
  const IndexedSurface* Surface() const { return surface_ ? &*surface_ : nullptr; }

  std::int32_t SurfaceVertexCount() const;
  std::int64_t SurfaceFaceCount() const;
  std::int32_t VertexCount() const;
  std::int64_t FaceCount() const;
  // The extent of all vertices on each axis, as placed.
  AxisRanges Extent() const { return placement_.Bounds(MapExtent()); }
  // Where the mesh is placed: its units and axes.
  const Placement& Placed() const { return placement_; }

  // The surface's faces come in items, each of FacesPerItem() faces: the rows of grid
  // squares, two faces per square, or the triangles of an IndexedSurface, one each.
  std::size_t FaceItems() const;
  std::int32_t FacesPerItem() const;

  // visit(face), face(item, k) being the triangle of face k of an item; returns what visit
  // returns. The choice between the grid and a surface is made once, so that the grid's
  // faces stay a few additions each.
  template <typename Visit>
  decltype(auto) WithSurfaceFaces(Visit&& visit) const;

  // visit(position, unit normal) for the surface's vertices in range, in vertex order.
  template <typename Visit>
  void ForEachSurfaceVertex(PartRange range, Visit&& visit) const;
  // visit(position, unit normal) for every vertex of the base (none without a base).
  template <typename Visit>
  void ForEachBaseVertex(Visit&& visit) const;
  // visit(a, b, c) with the corners' positions of the surface's faces in the items
  // [items.begin, items.end), in face order.
  template <typename Visit>
  void ForEachSurfaceFace(PartRange items, Visit&& visit) const;
  // visit(face) for every face of the base, in face order.
  template <typename Visit>
  void ForEachBaseFace(Visit&& visit) const {
    if (!base_) return;
    base_->ForEachFace(SurfaceVertexCount(), [&](const MeshFace& f) {
      const auto& [a, b, c] = f.corners;
      visit(MeshFace{f.vertices,
                     {placement_.Position(a), placement_.Position(b), placement_.Position(c)}});
    });
  }
  // visit(triangle) for every face of the base, in face order.
  template <typename Visit>
  void ForEachBaseTriangle(Visit&& visit) const {
    ForEachBaseFace([&](const MeshFace& f) { visit(f.vertices); });
  }

 private:
  // Face k (from 0 to 2 (Columns - 1) - 1) of the grid squares whose upper corners lie in
  // row r: the triangles of the grid's triangulation in its order, corners reversed.
  Triangle GridFace(std::size_t r, std::int32_t k) const {
    const auto row = static_cast<std::int32_t>(r);
    const auto triangles = SquareTriangles(row * terrain_.Columns() + k / 2, terrain_.Columns());
    return CounterClockwise(k % 2 == 0 ? triangles[0] : triangles[1]);
  }
  template <typename Visit>
  void ForEachGridFace(PartRange rows, Visit&& visit) const;
  AxisRanges ExtentOfSurface() const;
  std::vector<BorderVertex> Border() const;
  // The extent of all vertices in map units, the base's bottom included.
  AxisRanges MapExtent() const;
  // Throws Refusal kNotFiniteVertex unless every placed vertex is a finite number.
  void RequireFinitePlacement() const;

  const GridLayout& grid_;
  const WritePreparation& prep_;
  TrueScaleTerrain terrain_;
  std::optional<IndexedSurface> surface_;
  AxisRanges extent_;
  std::optional<SolidBase> base_;
  Placement placement_;
};

template <typename Visit>
decltype(auto) TrueScaleMesh::WithSurfaceFaces(Visit&& visit) const {
  if (surface_) {
    return visit([this](std::size_t i, std::int32_t) { return surface_->triangles[i]; });
  }
  return visit([this](std::size_t r, std::int32_t k) { return GridFace(r, k); });
}

template <typename Visit>
void TrueScaleMesh::ForEachSurfaceVertex(PartRange range, Visit&& visit) const {
  if (surface_) {
    for (std::size_t i = range.begin; i < range.end; ++i) {
      const std::int32_t n = surface_->vertices[i];
      visit(placement_.Position(terrain_.PositionOf(n)), placement_.Normal(terrain_.NormalOf(n)));
    }
    return;
  }
  ForEachVertexIn(range, static_cast<std::size_t>(terrain_.Columns()),
                  [&](std::size_t, std::size_t c, std::size_t r) {
                    const auto column = static_cast<std::int32_t>(c);
                    const auto row = static_cast<std::int32_t>(r);
                    visit(placement_.Position(terrain_.Position(column, row)),
                          placement_.Normal(terrain_.Normal(column, row)));
                  });
}

template <typename Visit>
void TrueScaleMesh::ForEachBaseVertex(Visit&& visit) const {
  if (!base_) return;
  for (std::int32_t i = 0; i < base_->VertexCount(); ++i)
    visit(placement_.Position(base_->Position(i)), placement_.Normal(base_->Normal(i)));
}

template <typename Visit>
void TrueScaleMesh::ForEachSurfaceFace(PartRange items, Visit&& visit) const {
  if (!surface_) return ForEachGridFace(items, visit);
  const auto position = [&](std::int32_t i) {
    return placement_.Position(
        terrain_.PositionOf(surface_->vertices[static_cast<std::size_t>(i)]));
  };
  for (std::size_t i = items.begin; i < items.end; ++i) {
    const Triangle& t = surface_->triangles[i];
    visit(position(t.a), position(t.b), position(t.c));
  }
}

// The positions of the two rows of cells of a row of squares are worked out once per row.
template <typename Visit>
void TrueScaleMesh::ForEachGridFace(PartRange rows, Visit&& visit) const {
  const std::int32_t columns = terrain_.Columns();
  if (rows.begin >= rows.end) return;
  std::vector<Vector3> upper(static_cast<std::size_t>(columns)), lower(upper.size());
  const auto positions = [&](std::size_t r, std::vector<Vector3>& row) {
    for (std::int32_t c = 0; c < columns; ++c)
      row[static_cast<std::size_t>(c)] =
          placement_.Position(terrain_.Position(c, static_cast<std::int32_t>(r)));
  };
  positions(rows.begin, upper);
  for (std::size_t r = rows.begin; r < rows.end; ++r) {
    positions(r + 1, lower);
    // GridFace's corners: (n + C + 1, n + 1, n), then (n + C, n + C + 1, n).
    for (std::size_t c = 0; c + 1 < upper.size(); ++c) {
      visit(lower[c + 1], upper[c + 1], upper[c]);
      visit(lower[c], lower[c + 1], upper[c]);
    }
    std::swap(upper, lower);
  }
}

// Writes put(position, normal, out) for every vertex of mesh in order: the surface's in
// bands on threads threads, each band into a sink of its own, then the base's. vertex_bytes
// is about the output of one vertex.
template <typename Put>
void WriteMeshVertices(const TrueScaleMesh& mesh, std::size_t vertex_bytes, ThreadCount threads,
                       ByteSink& out, Put&& put) {
  WriteBandsInOrder(
      static_cast<std::size_t>(mesh.SurfaceVertexCount()), vertex_bytes, threads,
      [&](PartRange range, ByteSink& sink) {
        mesh.ForEachSurfaceVertex(range,
                                  [&](const Vector3& p, const Vector3& n) { put(p, n, sink); });
      },
      out);
  mesh.ForEachBaseVertex([&](const Vector3& p, const Vector3& n) { put(p, n, out); });
}

// Writes write(items, sink) for the face items of mesh's surface in bands on threads
// threads, in order. face_bytes is about the output of one face.
inline void WriteSurfaceItems(const TrueScaleMesh& mesh, std::size_t face_bytes,
                              ThreadCount threads, const FormatItems& write, ByteSink& out) {
  WriteBandsInOrder(mesh.FaceItems(), face_bytes * static_cast<std::size_t>(mesh.FacesPerItem()),
                    threads, write, out);
}

}  // namespace orvandel
