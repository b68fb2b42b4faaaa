#include "orvandel/viewer/raster_canvas.h"

#include <algorithm>
#include <utility>

namespace orvandel {
namespace {

using I64 = std::int64_t;

I64 FloorDiv(I64 num, I64 den) {  // den > 0
  const I64 q = num / den;
  return q * den > num ? q - 1 : q;
}

I64 CeilDiv(I64 num, I64 den) {  // den > 0
  return -FloorDiv(-num, den);
}

// Points within +-kPixelLimit keep every product of the edge arithmetic within 64 bits.
PixelPoint Limited(PixelPoint p) {
  constexpr std::int32_t kLimit = ViewMapping::kPixelLimit;
  return {std::clamp(p.x, -kLimit, kLimit), std::clamp(p.y, -kLimit, kLimit)};
}

// The columns of one row from first to last, both included; empty when first > last.
struct Span {
  I64 first;
  I64 last;
};

// One edge of a triangle as a function w(x, y) that is 0 on the edge and grows towards
// the inside: w = slope * x + (the row's offset).
struct EdgeFunction {
  EdgeFunction(PixelPoint from, PixelPoint to)
      : from(from), slope(-(I64{to.y} - from.y)), rise(I64{to.x} - from.x) {}

  // Narrows span to the columns of row y where w >= 0, exactly, in whole numbers.
  void Narrow(I64 y, Span& span) const {
    const I64 offset = (y - from.y) * rise - from.x * slope;
    if (slope > 0) {
      span.first = std::max(span.first, CeilDiv(-offset, slope));
    } else if (slope < 0) {
      span.last = std::min(span.last, FloorDiv(offset, -slope));
    } else if (offset < 0) {
      span.last = span.first - 1;
    }
  }

  PixelPoint from;
  I64 slope;
  I64 rise;
};

}  // namespace

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
  p1 = Limited(p1);
  p2 = Limited(p2);
  p3 = Limited(p3);
  if (PaintTinyTriangle(p1, p2, p3)) return;
  if (brush_style_ == BrushStyle::kSolid) FillTriangle(p1, p2, p3);
  DrawLine(p1, p2);
  DrawLine(p2, p3);
  DrawLine(p3, p1);
}

// Corners within a block of 2 x 2 pixels are three of its four pixels at most, and the
// fourth lies outside their triangle: no pixel centre but the corners is inside, and each
// edge joins neighbouring pixels. Filling and outlining such a triangle paints just its
// corners, last in the pen's colour. Most faces of a large scene are that small.
bool RasterCanvas::PaintTinyTriangle(PixelPoint a, PixelPoint b, PixelPoint c) {
  const auto [x_low, x_high] = std::minmax({a.x, b.x, c.x});
  const auto [y_low, y_high] = std::minmax({a.y, b.y, c.y});
  if (x_high - x_low > 1 || y_high - y_low > 1) return false;
  for (const PixelPoint p : {a, b, c}) {
    if (p.x >= 0 && p.x < width_ && p.y >= 0 && p.y < height_) {
      pixels_[p.y * stride_ + p.x] = pen_word_;
    }
  }
  return true;
}

// Each row's pixels with all three edge values >= 0 lie in one run: the run's ends come
// from the edges, and the run is filled at once.
void RasterCanvas::FillTriangle(PixelPoint a, PixelPoint b, PixelPoint c) {
  const I64 area = (I64{b.x} - a.x) * (I64{c.y} - a.y) - (I64{b.y} - a.y) * (I64{c.x} - a.x);
  if (area == 0) return;  // a flat triangle is all outline
  if (area < 0) std::swap(b, c);
  const I64 x1 = std::max<I64>(std::min({a.x, b.x, c.x}), 0);
  const I64 x2 = std::min<I64>(std::max({a.x, b.x, c.x}), width_ - 1);
  const I64 y1 = std::max<I64>(std::min({a.y, b.y, c.y}), 0);
  const I64 y2 = std::min<I64>(std::max({a.y, b.y, c.y}), height_ - 1);
  if (x1 > x2 || y1 > y2) return;

  const EdgeFunction edges[] = {{a, b}, {b, c}, {c, a}};
  for (I64 y = y1; y <= y2; ++y) {
    Span span{x1, x2};
    for (const EdgeFunction& edge : edges)
      edge.Narrow(y, span);
    if (span.first <= span.last)
      std::fill_n(pixels_ + y * stride_ + span.first, span.last - span.first + 1, brush_word_);
  }
}

void RasterCanvas::DrawLine(PixelPoint a, PixelPoint b) {
  const I64 dx = I64{b.x} - a.x;
  const I64 dy = I64{b.y} - a.y;
  if ((dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy)) {
    WalkLine(a.x, a.y, b.x, b.y, width_, height_, 1, stride_);
  } else {
    WalkLine(a.y, a.x, b.y, b.x, height_, width_, stride_, 1);
  }
}

// The line from (m0, n0) to (m1, n1) in major and minor coordinates, |n1 - n0| at most
// |m1 - m0|: one pixel per major step, the minor coordinate rounded to the nearest, halves
// up. Only the major steps within the picture are walked.
void RasterCanvas::WalkLine(I64 m0, I64 n0, I64 m1, I64 n1, I64 major_size, I64 minor_size,
                            std::ptrdiff_t major_step, std::ptrdiff_t minor_step) {
  if (m1 < m0) {
    std::swap(m0, m1);
    std::swap(n0, n1);
  }
  const I64 first = std::max<I64>(m0, 0);
  const I64 last = std::min(m1, major_size - 1);
  if (first > last) return;
  const I64 den = 2 * (m1 - m0);
  const I64 rise = 2 * (n1 - n0);
  // n(m) = n0 + floor((rise * (m - m0) + den / 2) / den), kept as n and the remainder.
  I64 n = n0;
  I64 rem = den / 2;
  if (first > m0 && den > 0) {
    const I64 num = rise * (first - m0) + den / 2;
    const I64 q = FloorDiv(num, den);
    n += q;
    rem = num - q * den;
  }
  for (I64 m = first; m <= last; ++m) {
    if (n >= 0 && n < minor_size) pixels_[m * major_step + n * minor_step] = pen_word_;
    rem += rise;
    if (rem >= den) {
      rem -= den;
      ++n;
    } else if (rem < 0) {
      rem += den;
      --n;
    }
  }
}

}  // namespace orvandel
