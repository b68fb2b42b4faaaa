#include "writers/true_scale_mesh.h"

#include <algorithm>
#include <cassert>

#include "orvandel/fileio/failure.h"
#include "writers/placement.h"

namespace orvandel {
namespace {

const GridLayout& WithTriangles(const GridLayout& grid) {
  if (grid.TriangleCount == 0) throw Refusal(kNoTriangles);
  return grid;
}

// Whether every number of the surface points where it should: a maker's fault, not the
// user's, so it is only asserted.
[[maybe_unused]] bool KeepsItsNumbers(const IndexedSurface& surface, const GridLayout& grid) {
  const auto kept = static_cast<std::int32_t>(surface.vertices.size());
  const auto within = [](std::int32_t n, std::int32_t count) { return n >= 0 && n < count; };
  const auto of_kept = [&](std::int32_t i) { return within(i, kept); };
  const auto of_grid = [&](std::int32_t n) { return within(n, grid.VertexCount); };
  const auto corners_kept = [&](const Triangle& t) {
    return of_kept(t.a) && of_kept(t.b) && of_kept(t.c);
  };
  return surface.classes.size() == surface.triangles.size() && surface.border.size() >= 3 &&
         std::all_of(surface.vertices.begin(), surface.vertices.end(), of_grid) &&
         std::all_of(surface.triangles.begin(), surface.triangles.end(), corners_kept) &&
         std::all_of(surface.border.begin(), surface.border.end(), of_kept);
}

}  // namespace

// The grid is checked before any cell is sampled.
TrueScaleMesh::TrueScaleMesh(const MeshSource& source)
    : grid_(WithTriangles(source.grid)), prep_(source.prep), terrain_(source) {
  // A scale of 0 or below would flatten or overturn the faces; a base of 0 means none.
  assert(source.options.vertical_scale > 0 && source.options.base >= 0);
  if (source.options.surface) {
    surface_ = source.options.surface(
        SampledGrid{grid_, terrain_.CellHeights(), prep_, terrain_.ZFactor(), source.threads});
    assert(KeepsItsNumbers(*surface_, grid_));
  }
  extent_ = ExtentOfSurface();
  const MeshOptions& options = source.options;
  if (options.base > 0) {
    // At a print width the base is given in the printed units.
    const auto thickness =
        static_cast<float>(options.base / PrintScale(extent_.x, options.print_width));
    base_.emplace(terrain_, Border(), extent_, thickness);
  }
  placement_ = PlaceMesh(MapExtent(), options.print_width, options.up.value_or(UpAxis::kZ),
                         source.settings.Mapheight);
  RequireFinitePlacement();
}

std::int32_t TrueScaleMesh::SurfaceVertexCount() const {
  return surface_ ? static_cast<std::int32_t>(surface_->vertices.size()) : grid_.VertexCount;
}

std::int64_t TrueScaleMesh::SurfaceFaceCount() const {
  return surface_ ? static_cast<std::int64_t>(surface_->triangles.size()) : grid_.TriangleCount;
}

std::int32_t TrueScaleMesh::VertexCount() const {
  return SurfaceVertexCount() + (base_ ? base_->VertexCount() : 0);
}

std::int64_t TrueScaleMesh::FaceCount() const {
  return SurfaceFaceCount() + (base_ ? base_->FaceCount() : 0);
}

AxisRanges TrueScaleMesh::MapExtent() const {
  AxisRanges extent = extent_;
  if (base_) extent.z.Take(base_->BottomZ());
  return extent;
}

// A print width may scale a mesh beyond what a float holds.
void TrueScaleMesh::RequireFinitePlacement() const {
  const AxisRanges placed = Extent();
  for (const AxisRange* range : {&placed.x, &placed.y, &placed.z}) {
    RequireFiniteVertex(range->low);
    RequireFiniteVertex(range->high);
  }
}

std::size_t TrueScaleMesh::FaceItems() const {
  return surface_ ? surface_->triangles.size() : SquareRowCount(grid_);
}

std::int32_t TrueScaleMesh::FacesPerItem() const {
  return surface_ ? 1 : 2 * (terrain_.Columns() - 1);
}

// The full grid's extent is the terrain's; a surface's is taken over its vertices.
AxisRanges TrueScaleMesh::ExtentOfSurface() const {
  if (!surface_) return {terrain_.XRange(), terrain_.YRange(), terrain_.ZRange()};
  AxisRanges extent;
  for (const std::int32_t n : surface_->vertices) {
    const Vector3 p = terrain_.PositionOf(n);
    extent.x.Take(p.x);
    extent.y.Take(p.y);
    extent.z.Take(p.z);
  }
  return extent;
}

std::vector<BorderVertex> TrueScaleMesh::Border() const {
  if (!surface_) return GridBorder(terrain_.Columns(), terrain_.Rows());
  std::vector<BorderVertex> border;
  for (const std::int32_t i : surface_->border) {
    const std::int32_t n = surface_->vertices[static_cast<std::size_t>(i)];
    border.push_back({i, n % terrain_.Columns(), n / terrain_.Columns()});
  }
  return border;
}

}  // namespace orvandel
