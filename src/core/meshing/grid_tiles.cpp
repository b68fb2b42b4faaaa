#include "meshing/grid_tiles.h"

#include <algorithm>

namespace orvandel {

class GridTiles::TileVertices {
 public:
  TileVertices(LatticePoint origin, std::int32_t across, std::int32_t down)
      : origin_(origin),
        width_(across + 1),
        ids_(static_cast<std::size_t>(across + 1) * static_cast<std::size_t>(down + 1),
             DecimationMesh::kNone) {}

  // The mesh's number of the grid vertex at p, or kNone while it has none.
  std::int32_t Id(LatticePoint p) const { return ids_[Place(p)]; }
  // Gives p a vertex of the mesh unless it has one.
  void Mark(LatticePoint p, bool fixed, DecimationMesh& mesh) {
    if (Id(p) == DecimationMesh::kNone) ids_[Place(p)] = mesh.AddVertex(p, fixed);
  }

 private:
  std::size_t Place(LatticePoint p) const {
    return static_cast<std::size_t>((p.r - origin_.r) * width_ + (p.c - origin_.c));
  }

  LatticePoint origin_;
  std::int32_t width_;
  std::vector<std::int32_t> ids_;
};

GridTiles::GridTiles(const HeightGrid& grid, std::int32_t size)
    : grid_(grid), size_(size), across_(Lines(grid.columns)), down_(Lines(grid.rows)) {}

bool GridTiles::OnInnerLine(LatticePoint p) const {
  return (p.c % size_ == 0 && p.c > 0 && p.c < grid_.columns - 1) ||
         (p.r % size_ == 0 && p.r > 0 && p.r < grid_.rows - 1);
}

// The mesh's vertices are the blocks' corners, the middles of the larger blocks, and every
// vertex of the lines shared with other tiles, which those tiles keep too.
void GridTiles::Mesh(std::int32_t k, DecimationMesh& mesh) const {
  const LatticePoint origin{(k % across_) * size_, (k / across_) * size_};
  const std::int32_t across = std::min(size_, grid_.columns - 1 - origin.c);
  const std::int32_t down = std::min(size_, grid_.rows - 1 - origin.r);
  const std::vector<SquareBlock> blocks = FlatBlocks(grid_, origin, across, down, size_).Leaves();
  mesh.Clear(static_cast<std::size_t>(across + 1) * static_cast<std::size_t>(down + 1),
             2 * static_cast<std::size_t>(across) * static_cast<std::size_t>(down));
  TileVertices ids(origin, across, down);
  const auto mark = [&](LatticePoint p) { ids.Mark(p, OnInnerLine(p), mesh); };
  for (std::int32_t t = 0; t <= std::max(across, down); ++t) {
    const std::int32_t c = origin.c + std::min(t, across);
    const std::int32_t r = origin.r + std::min(t, down);
    for (const LatticePoint p : {LatticePoint{c, origin.r}, LatticePoint{c, origin.r + down},
                                 LatticePoint{origin.c, r}, LatticePoint{origin.c + across, r}}) {
      if (OnInnerLine(p)) mark(p);
    }
  }
  for (const SquareBlock& b : blocks) {
    const std::int32_t s = b.size;
    const LatticePoint p = b.corner;
    for (const LatticePoint corner : {p, LatticePoint{p.c + s, p.r}, LatticePoint{p.c, p.r + s},
                                      LatticePoint{p.c + s, p.r + s}})
      mark(corner);
    if (s > 1) mark({p.c + s / 2, p.r + s / 2});
  }
  std::vector<std::int32_t> ring;
  for (const SquareBlock& b : blocks)
    AddTriangles(b, ids, mesh, ring);
  mesh.LinkTriangles();
}

// A single square keeps the grid's two triangles. A larger block is level ground of one
// class: a fan from its middle to every vertex on its sides, which smaller blocks beside
// it put there, covers it without a T-junction.
void GridTiles::AddTriangles(const SquareBlock& block, const TileVertices& ids,
                             DecimationMesh& mesh, std::vector<std::int32_t>& ring) const {
  const LatticePoint p = block.corner;
  const std::int32_t s = block.size;
  if (s == 1) {
    const std::int32_t upper_left = ids.Id(p);
    const std::int32_t lower_right = ids.Id({p.c + 1, p.r + 1});
    mesh.AddTriangle({upper_left, ids.Id({p.c + 1, p.r}), lower_right}, grid_.ClassOf(p.c, p.r, 0));
    mesh.AddTriangle({upper_left, lower_right, ids.Id({p.c, p.r + 1})}, grid_.ClassOf(p.c, p.r, 1));
    return;
  }
  ring.clear();
  const auto take = [&](std::int32_t c, std::int32_t r) {
    if (ids.Id({c, r}) != DecimationMesh::kNone) ring.push_back(ids.Id({c, r}));
  };
  // Round the block the way the grid's triangles turn: along the top, down the right side,
  // back along the bottom and up the left side.
  for (std::int32_t t = 0; t < s; ++t)
    take(p.c + t, p.r);
  for (std::int32_t t = 0; t < s; ++t)
    take(p.c + s, p.r + t);
  for (std::int32_t t = 0; t < s; ++t)
    take(p.c + s - t, p.r + s);
  for (std::int32_t t = 0; t < s; ++t)
    take(p.c, p.r + s - t);
  const std::int32_t middle = ids.Id({p.c + s / 2, p.r + s / 2});
  for (std::size_t t = 0; t < ring.size(); ++t)
    mesh.AddTriangle({middle, ring[t], ring[(t + 1) % ring.size()]}, grid_.ClassOf(p.c, p.r, 0));
}

}  // namespace orvandel
