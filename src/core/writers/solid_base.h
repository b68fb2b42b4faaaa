#pragma once

#include <cstdint>
#include <vector>

#include "writers/true_scale_terrain.h"

namespace orvandel {

// One vertex on the edge of the terrain's surface: its vertex number in the mesh and its
// cell of the grid.
struct BorderVertex {
  std::int32_t vertex = 0;
  std::int32_t c = 0;
  std::int32_t r = 0;
};

// The edge of the full grid of columns x rows cells (at least two of each), vertices
// numbered as in the grid: from the top left corner of the map down the left edge, along
// the bottom edge, up the right edge and back along the top edge (counter-clockwise seen
// from above).
std::vector<BorderVertex> GridBorder(std::int32_t columns, std::int32_t rows);

// The walls and the bottom that close a terrain's surface into a solid body. Under every
// vertex of the surface's edge stands a vertex of the bottom, `thickness` map units below
// the surface's lowest vertex; the walls join each edge segment of the surface to the
// bottom straight below it, and the bottom is a fan of triangles around one vertex in its
// middle. The walls use the surface's own edge vertices, so every edge of the body joins
// exactly two faces, and every face is wound counter-clockwise seen from outside.
//
// The base's vertices are numbered after the surface's: the ring under the edge, in the
// border's order, then the middle.
class SolidBase {
 public:
  // border: the surface's edge, counter-clockwise seen from above, along the grid's
  // footprint; extent: the surface's. The terrain must outlive the base. Throws Refusal
  // kNotFiniteVertex for a bottom beyond the float range.
  SolidBase(const TrueScaleTerrain& terrain, std::vector<BorderVertex> border,
            const AxisRanges& extent, float thickness);

  std::int32_t VertexCount() const { return RingSize() + 1; }
  std::int64_t FaceCount() const { return 3 * std::int64_t{RingSize()}; }
  float BottomZ() const { return bottom_z_; }

  // Vertex i of the base (i from 0 to VertexCount() - 1) and its unit normal: outward
  // and level on the ring, straight down in the middle.
  Vector3 Position(std::int32_t i) const;
  Vector3 Normal(std::int32_t i) const;

  // visit(face) for every wall face, then every bottom face; base vertex i has the vertex
  // number first + i.
  template <typename Visit>
  void ForEachFace(std::int32_t first, Visit&& visit) const;

 private:
  std::int32_t RingSize() const { return static_cast<std::int32_t>(ring_.size()); }
  const BorderVertex& Ring(std::int32_t i) const { return ring_[static_cast<std::size_t>(i)]; }
  std::int32_t TerrainVertex(std::int32_t i) const { return Ring(i).vertex; }
  Vector3 TerrainPosition(std::int32_t i) const { return terrain_.Position(Ring(i).c, Ring(i).r); }

  const TrueScaleTerrain& terrain_;
  std::vector<BorderVertex> ring_;
  float bottom_z_;
  Vector3 middle_;
};

template <typename Visit>
void SolidBase::ForEachFace(std::int32_t first, Visit&& visit) const {
  const std::int32_t size = RingSize();
  for (std::int32_t i = 0; i < size; ++i) {
    const std::int32_t j = (i + 1) % size;
    const Vector3 top_i = TerrainPosition(i), top_j = TerrainPosition(j);
    const Vector3 bottom_i = Position(i), bottom_j = Position(j);
    visit(MeshFace{{first + i, first + j, TerrainVertex(j)}, {bottom_i, bottom_j, top_j}});
    visit(MeshFace{{first + i, TerrainVertex(j), TerrainVertex(i)}, {bottom_i, top_j, top_i}});
  }
  const Vector3 middle = Position(size);
  for (std::int32_t i = 0; i < size; ++i) {
    const std::int32_t j = (i + 1) % size;
    visit(MeshFace{{first + size, first + j, first + i}, {middle, Position(j), Position(i)}});
  }
}

}  // namespace orvandel
