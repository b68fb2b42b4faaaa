// The RasterCanvas in depth order: one float per pixel, larger nearer the observer.
#include <cassert>
#include <limits>
#include <utility>

#include "orvandel/viewer/raster_canvas.h"
#include "viewer/raster_walk.h"

namespace orvandel {
namespace {

using raster::I64;

// The depth of a triangle's plane at any pixel, from the pixels and depths of its corners.
// A plane of equal depths gives exactly that depth everywhere.
class PlaneDepth {
 public:
  // Needs corners that are not on one line.
  PlaneDepth(DepthPoint a, DepthPoint b, DepthPoint c) : from_(a) {
    const double area = static_cast<double>(raster::DoubleArea(a.pixel, b.pixel, c.pixel));
    const double dbx = b.pixel.x - a.pixel.x;
    const double dby = b.pixel.y - a.pixel.y;
    const double dcx = c.pixel.x - a.pixel.x;
    const double dcy = c.pixel.y - a.pixel.y;
    const double dbz = double{b.depth} - a.depth;
    const double dcz = double{c.depth} - a.depth;
    per_x_ = (dbz * dcy - dcz * dby) / area;
    per_y_ = (dcz * dbx - dbz * dcx) / area;
  }

  // The depth of row y in the first corner's column; At gives that of column x from it.
  double RowAt(I64 y) const {
    return from_.depth + per_y_ * static_cast<double>(y - from_.pixel.y);
  }
  float At(double row, I64 x) const {
    return static_cast<float>(row + per_x_ * static_cast<double>(x - from_.pixel.x));
  }

 private:
  DepthPoint from_;
  double per_x_ = 0;
  double per_y_ = 0;
};

// The depth of a line at each pixel it passes through, by the major coordinate that
// ForEachLinePixel gives, measured from the end with the lower one: both triangles that
// share an edge give its pixels the same depths, whichever way round they name it.
class LineDepth {
 public:
  LineDepth(DepthPoint a, DepthPoint b) {
    const bool along_rows = raster::RunsAlongRows(a.pixel, b.pixel);
    I64 from = along_rows ? a.pixel.x : a.pixel.y;
    I64 to = along_rows ? b.pixel.x : b.pixel.y;
    if (to < from || (to == from && b.depth > a.depth)) {
      std::swap(from, to);
      std::swap(a, b);
    }
    from_ = from;
    depth_ = a.depth;
    per_step_ = to == from ? 0 : (double{b.depth} - a.depth) / static_cast<double>(to - from);
  }

  float At(I64 m) const {
    return static_cast<float>(depth_ + per_step_ * static_cast<double>(m - from_));
  }

 private:
  I64 from_ = 0;
  double depth_ = 0;
  double per_step_ = 0;
};

// A pixel that shows no face.
constexpr std::uint32_t kNoFace = 0xFFFFFFFF;

DepthPoint Limited(DepthPoint p) {
  return {raster::Limited(p.pixel), p.depth};
}

}  // namespace

void RasterCanvas::ClearDepth() {
  const auto size = static_cast<std::size_t>(height_ * stride_);
  depth_.assign(size, -std::numeric_limits<float>::infinity());
  faces_.assign(size, kNoFace);
}

void RasterCanvas::MarkNearer(std::ptrdiff_t offset, float depth, std::uint32_t face) {
  const auto at = static_cast<std::size_t>(offset);
  if (depth >= depth_[at]) {
    depth_[at] = depth;
    faces_[at] = face;
  }
}

void RasterCanvas::DepthFace(std::uint32_t face, DepthPoint p1, DepthPoint p2, DepthPoint p3) {
  assert(!depth_.empty());  // ClearDepth first
  p1 = Limited(p1);
  p2 = Limited(p2);
  p3 = Limited(p3);
  if (raster::IsTiny(p1.pixel, p2.pixel, p3.pixel)) {
    DepthPoints(face, p1, p2, p3);
    return;
  }
  DepthFill(face, p1, p2, p3);
  DepthLine(face, p1, p2);
  DepthLine(face, p2, p3);
  DepthLine(face, p3, p1);
}

// A tiny triangle's corners, each at its own depth.
void RasterCanvas::DepthPoints(std::uint32_t face, DepthPoint a, DepthPoint b, DepthPoint c) {
  for (const DepthPoint& p : {a, b, c}) {
    const PixelPoint at = p.pixel;
    if (at.x >= 0 && at.x < width_ && at.y >= 0 && at.y < height_) {
      MarkNearer(at.y * stride_ + at.x, p.depth, face);
    }
  }
}

void RasterCanvas::DepthFill(std::uint32_t face, DepthPoint a, DepthPoint b, DepthPoint c) {
  if (raster::DoubleArea(a.pixel, b.pixel, c.pixel) == 0) return;  // all outline
  const PlaneDepth plane(a, b, c);
  raster::ForEachTriangleRow(a.pixel, b.pixel, c.pixel, width_, height_,
                             [&](I64 y, I64 first, I64 last) {
                               const double row = plane.RowAt(y);
                               for (I64 x = first; x <= last; ++x)
                                 MarkNearer(y * stride_ + x, plane.At(row, x), face);
                             });
}

void RasterCanvas::DepthLine(std::uint32_t face, DepthPoint a, DepthPoint b) {
  const LineDepth line(a, b);
  raster::ForEachLinePixel(
      a.pixel, b.pixel, width_, height_, stride_,
      [&](std::ptrdiff_t offset, I64 m) { MarkNearer(offset, line.At(m), face); });
}

template <typename Visit>
void RasterCanvas::ForEachPixel(Visit&& visit) const {
  for (I64 y = 0; y < height_; ++y) {
    for (I64 x = 0; x < width_; ++x)
      visit(y * stride_ + x);
  }
}

void RasterCanvas::FindShownFaces(std::vector<std::uint8_t>& shown) const {
  assert(!faces_.empty());  // ClearDepth first
  ForEachPixel([&](std::ptrdiff_t offset) {
    const std::uint32_t face = faces_[static_cast<std::size_t>(offset)];
    if (face != kNoFace) shown[face] = 1;
  });
}

void RasterCanvas::PaintFaces(const PackedColour* colours) {
  assert(!faces_.empty());  // ClearDepth first
  ForEachPixel([&](std::ptrdiff_t offset) {
    const std::uint32_t face = faces_[static_cast<std::size_t>(offset)];
    if (face != kNoFace) pixels_[offset] = PixelWord(colours[face]);
  });
}

void RasterCanvas::VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) {
  assert(!depth_.empty());  // ClearDepth first
  const DepthPoint corners[] = {Limited(p1), Limited(p2), Limited(p3)};
  for (int k = 0; k < 3; ++k) {
    const DepthPoint a = corners[k];
    const DepthPoint b = corners[(k + 1) % 3];
    const LineDepth line(a, b);
    raster::ForEachLinePixel(a.pixel, b.pixel, width_, height_, stride_,
                             [&](std::ptrdiff_t offset, I64 m) {
                               if (line.At(m) >= depth_[static_cast<std::size_t>(offset)] - bias) {
                                 pixels_[offset] = pen_word_;
                               }
                             });
  }
}

}  // namespace orvandel
