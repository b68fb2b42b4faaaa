#include "orvandel/viewer/raster_canvas.h"

#include <algorithm>
#include <utility>

#include "viewer/raster_walk.h"

namespace orvandel {

using raster::I64;

RasterCanvas::RasterCanvas(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride)
    : pixels_(pixels), width_(width), height_(height), stride_(stride) {}

std::uint32_t RasterCanvas::PixelWord(PackedColour colour) {
  return 0xFF000000u | static_cast<std::uint32_t>(RedOf(colour)) << 16 |
         static_cast<std::uint32_t>(GreenOf(colour)) << 8 |
         static_cast<std::uint32_t>(BlueOf(colour));
}

void RasterCanvas::SetBrushColour(PackedColour colour) {
  brush_colour_ = colour;
  brush_word_ = PixelWord(colour);
}

void RasterCanvas::SetPenColour(PackedColour colour) {
  pen_word_ = PixelWord(colour);
}

// The pixels of columns x1 to x2 and rows y1 to y2, both ends included, within the picture.
void RasterCanvas::FillBlock(I64 x1, I64 y1, I64 x2, I64 y2, std::uint32_t word) {
  x1 = std::max<I64>(x1, 0);
  y1 = std::max<I64>(y1, 0);
  x2 = std::min(x2, width_ - 1);
  y2 = std::min(y2, height_ - 1);
  for (I64 y = y1; y <= y2; ++y) {
    std::uint32_t* row = pixels_ + y * stride_;
    std::fill(row + x1, row + x2 + 1, word);
  }
}

void RasterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const I64 right = I64{x2} - 1;
  const I64 bottom = I64{y2} - 1;
  if (right < x1 || bottom < y1) return;
  if (brush_style_ == BrushStyle::kSolid) FillBlock(x1, y1, right, bottom, brush_word_);
  FillBlock(x1, y1, right, y1, pen_word_);
  FillBlock(x1, bottom, right, bottom, pen_word_);
  FillBlock(x1, y1, x1, bottom, pen_word_);
  FillBlock(right, y1, right, bottom, pen_word_);
}

void RasterCanvas::Polygon(PixelPoint p1, PixelPoint p2, PixelPoint p3) {
  p1 = raster::Limited(p1);
  p2 = raster::Limited(p2);
  p3 = raster::Limited(p3);
  if (raster::IsTiny(p1, p2, p3)) {
    PaintTinyTriangle(p1, p2, p3);
    return;
  }
  if (brush_style_ == BrushStyle::kSolid) {
    raster::ForEachTriangleRow(p1, p2, p3, width_, height_, [&](I64 y, I64 first, I64 last) {
      std::fill_n(pixels_ + y * stride_ + first, last - first + 1, brush_word_);
    });
  }
  DrawLine(p1, p2);
  DrawLine(p2, p3);
  DrawLine(p3, p1);
}

// Filling and outlining a tiny triangle paints just its corners, last in the pen's colour.
void RasterCanvas::PaintTinyTriangle(PixelPoint a, PixelPoint b, PixelPoint c) {
  for (const PixelPoint p : {a, b, c}) {
    if (p.x >= 0 && p.x < width_ && p.y >= 0 && p.y < height_) {
      pixels_[p.y * stride_ + p.x] = pen_word_;
    }
  }
}

void RasterCanvas::DrawLine(PixelPoint a, PixelPoint b) {
  raster::ForEachLinePixel(a, b, width_, height_, stride_,
                           [&](std::ptrdiff_t offset, I64) { pixels_[offset] = pen_word_; });
}

}  // namespace orvandel
