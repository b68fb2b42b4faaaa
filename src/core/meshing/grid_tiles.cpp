#include "meshing/grid_tiles.h"

#include <algorithm>
#include <cstdlib>

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

bool GridTiles::Level(LatticePoint p) const {
  const float z = grid_.Z(p.c, p.r);
  return grid_.Z(p.c + 1, p.r) == z && grid_.Z(p.c, p.r + 1) == z &&
         grid_.Z(p.c + 1, p.r + 1) == z && grid_.ClassOf(p.c, p.r, 0) == grid_.ClassOf(p.c, p.r, 1);
}

// Two level squares side by side share a side and so a height; a run ends where the next
// square is not level or has another class.
void GridTiles::FindRuns(std::int32_t r, std::int32_t first, std::int32_t last,
                         std::vector<RowRun>& runs) const {
  for (std::int32_t c = first; c < last;) {
    RowRun run{{c, r}, c + 1, Level({c, r})};
    while (run.level && run.last < last && Level({run.last, r}) &&
           grid_.ClassOf(run.last, r, 0) == grid_.ClassOf(c, r, 0))
      ++run.last;
    runs.push_back(run);
    c = run.last;
  }
}

// The mesh's vertices are the corners of the runs and every vertex of the lines shared
// with other tiles, which those tiles keep too.
void GridTiles::Mesh(std::int32_t k, DecimationMesh& mesh) const {
  const LatticePoint origin{(k % across_) * size_, (k / across_) * size_};
  const std::int32_t across = std::min(size_, grid_.columns - 1 - origin.c);
  const std::int32_t down = std::min(size_, grid_.rows - 1 - origin.r);
  std::vector<RowRun> runs;
  for (std::int32_t r = origin.r; r < origin.r + down; ++r)
    FindRuns(r, origin.c, origin.c + across, runs);
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
  for (const RowRun& run : runs) {
    const LatticePoint p = run.first;
    for (const LatticePoint corner : {p, LatticePoint{run.last, p.r}, LatticePoint{p.c, p.r + 1},
                                      LatticePoint{run.last, p.r + 1}})
      mark(corner);
  }
  std::vector<std::int32_t> top;
  std::vector<std::int32_t> bottom;
  for (const RowRun& run : runs)
    AddTriangles(run, ids, mesh, top, bottom);
  mesh.LinkTriangles();
}

// A square that is not level keeps the grid's two triangles. A run of level ground is a
// strip between the vertices on its upper and its lower side, which the runs above and
// below put there: triangles between the two, left to right, each closed across the
// shorter of the two diagonals it could take, cover it without a T-junction.
void GridTiles::AddTriangles(const RowRun& run, const TileVertices& ids, DecimationMesh& mesh,
                             std::vector<std::int32_t>& top,
                             std::vector<std::int32_t>& bottom) const {
  const LatticePoint p = run.first;
  if (!run.level) {
    const std::int32_t upper_left = ids.Id(p);
    const std::int32_t lower_right = ids.Id({p.c + 1, p.r + 1});
    mesh.AddTriangle({upper_left, ids.Id({p.c + 1, p.r}), lower_right}, grid_.ClassOf(p.c, p.r, 0));
    mesh.AddTriangle({upper_left, lower_right, ids.Id({p.c, p.r + 1})}, grid_.ClassOf(p.c, p.r, 1));
    return;
  }
  top.clear();
  bottom.clear();
  for (std::int32_t c = p.c; c <= run.last; ++c) {
    if (ids.Id({c, p.r}) != DecimationMesh::kNone) top.push_back(ids.Id({c, p.r}));
    if (ids.Id({c, p.r + 1}) != DecimationMesh::kNone) bottom.push_back(ids.Id({c, p.r + 1}));
  }
  const std::uint8_t run_class = grid_.ClassOf(p.c, p.r, 0);
  std::size_t t = 0;
  std::size_t b = 0;
  while (t + 1 < top.size() || b + 1 < bottom.size()) {
    const bool along_top =
        b + 1 == bottom.size() ||
        (t + 1 < top.size() && std::abs(mesh.At(top[t + 1]).c - mesh.At(bottom[b]).c) <=
                                   std::abs(mesh.At(bottom[b + 1]).c - mesh.At(top[t]).c));
    if (along_top) {
      mesh.AddTriangle({top[t], top[t + 1], bottom[b]}, run_class);
      ++t;
    } else {
      mesh.AddTriangle({top[t], bottom[b + 1], bottom[b]}, run_class);
      ++b;
    }
  }
}

}  // namespace orvandel
