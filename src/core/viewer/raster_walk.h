#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "orvandel/geometry/view_mapping.h"

namespace orvandel::raster {

// The pixels a triangle fills and a line passes through, found in whole numbers and
// clipped to a picture of width x height pixels before any pixel is visited. What is done
// with each pixel is the caller's: both the painting in file order and the painting in
// depth order walk the same pixels.

using I64 = std::int64_t;

inline I64 FloorDiv(I64 num, I64 den) {  // den > 0
  const I64 q = num / den;
  return q * den > num ? q - 1 : q;
}

inline I64 CeilDiv(I64 num, I64 den) {  // den > 0
  return -FloorDiv(-num, den);
}

// Points within +-kPixelLimit keep every product of the edge arithmetic within 64 bits.
inline PixelPoint Limited(PixelPoint p) {
  constexpr std::int32_t kLimit = ViewMapping::kPixelLimit;
  return {std::clamp(p.x, -kLimit, kLimit), std::clamp(p.y, -kLimit, kLimit)};
}

// Twice the signed area of the triangle: positive when its corners run clockwise on the
// picture, whose rows grow downwards.
inline I64 DoubleArea(PixelPoint a, PixelPoint b, PixelPoint c) {
  return (I64{b.x} - a.x) * (I64{c.y} - a.y) - (I64{b.y} - a.y) * (I64{c.x} - a.x);
}

// Corners within a block of 2 x 2 pixels are three of its four pixels at most, and the
// fourth lies outside their triangle: no pixel centre but the corners is inside, and each
// edge joins neighbouring pixels. Filling and outlining such a triangle paints just its
// corners. Most faces of a large scene are that small.
inline bool IsTiny(PixelPoint a, PixelPoint b, PixelPoint c) {
  const auto [x_low, x_high] = std::minmax({a.x, b.x, c.x});
  const auto [y_low, y_high] = std::minmax({a.y, b.y, c.y});
  return x_high - x_low <= 1 && y_high - y_low <= 1;
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

// fill(y, first, last) for every row of the picture that holds pixel centres inside the
// triangle or on its edges: each row's such pixels lie in one run. A flat triangle (all
// corners on one line) has none.
template <typename Fill>
void ForEachTriangleRow(PixelPoint a, PixelPoint b, PixelPoint c, I64 width, I64 height,
                        Fill&& fill) {
  const I64 area = DoubleArea(a, b, c);
  if (area == 0) return;  // a flat triangle is all outline
  if (area < 0) std::swap(b, c);
  const I64 x1 = std::max<I64>(std::min({a.x, b.x, c.x}), 0);
  const I64 x2 = std::min<I64>(std::max({a.x, b.x, c.x}), width - 1);
  const I64 y1 = std::max<I64>(std::min({a.y, b.y, c.y}), 0);
  const I64 y2 = std::min<I64>(std::max({a.y, b.y, c.y}), height - 1);
  if (x1 > x2 || y1 > y2) return;

  const EdgeFunction edges[] = {{a, b}, {b, c}, {c, a}};
  for (I64 y = y1; y <= y2; ++y) {
    Span span{x1, x2};
    for (const EdgeFunction& edge : edges)
      edge.Narrow(y, span);
    if (span.first <= span.last) fill(y, span.first, span.last);
  }
}

// True when the line from a to b takes one pixel per column (rather than per row).
inline bool RunsAlongRows(PixelPoint a, PixelPoint b) {
  const I64 dx = I64{b.x} - a.x;
  const I64 dy = I64{b.y} - a.y;
  return (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
}

// The line from (m0, n0) to (m1, n1) in major and minor coordinates, |n1 - n0| at most
// |m1 - m0|: one pixel per major step, the minor coordinate rounded to the nearest, halves
// up. Only the major steps within the picture are walked; plot(offset, m) gets each
// pixel's place (m * major_step + n * minor_step) and its major coordinate.
template <typename Plot>
void WalkLine(I64 m0, I64 n0, I64 m1, I64 n1, I64 major_size, I64 minor_size,
              std::ptrdiff_t major_step, std::ptrdiff_t minor_step, Plot&& plot) {
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
    if (n >= 0 && n < minor_size) plot(m * major_step + n * minor_step, m);
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

// The pixels of the line from a to b on a picture of width x height pixels whose rows
// are stride pixels apart; plot(offset, m) as WalkLine gives them, m being the column
// when RunsAlongRows(a, b), else the row.
template <typename Plot>
void ForEachLinePixel(PixelPoint a, PixelPoint b, I64 width, I64 height, std::ptrdiff_t stride,
                      Plot&& plot) {
  if (RunsAlongRows(a, b)) {
    WalkLine(a.x, a.y, b.x, b.y, width, height, 1, stride, plot);
  } else {
    WalkLine(a.y, a.x, b.y, b.x, height, width, stride, 1, plot);
  }
}

}  // namespace orvandel::raster
