#include "writers/true_scale_mesh.h"

#include <cassert>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

const GridLayout& WithTriangles(const GridLayout& grid) {
  if (grid.TriangleCount == 0) throw Refusal(kNoTriangles);
  return grid;
}

}  // namespace

// The grid is checked before any cell is sampled.
TrueScaleMesh::TrueScaleMesh(const MeshSource& source)
    : grid_(WithTriangles(source.grid)), prep_(source.prep), terrain_(source) {
  // A scale of 0 or below would flatten or overturn the faces; a base of 0 means none.
  assert(source.options.vertical_scale > 0 && source.options.base >= 0);
  if (source.options.base > 0) base_.emplace(terrain_, source.options.base);
}

std::int32_t TrueScaleMesh::VertexCount() const {
  return grid_.VertexCount + (base_ ? base_->VertexCount() : 0);
}

std::int64_t TrueScaleMesh::FaceCount() const {
  return grid_.TriangleCount + (base_ ? base_->FaceCount() : 0);
}

AxisRange TrueScaleMesh::ZRange() const {
  AxisRange range = terrain_.ZRange();
  if (base_) range.Take(base_->BottomZ());
  return range;
}

}  // namespace orvandel
