#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace orvandel {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kUntouched = 0x12345678;
constexpr std::int32_t kFar = ViewMapping::kPixelLimit;

// A picture whose rows are two words wider than it, to catch writes past the last column.
// Pixel words are 0xFFRRGGBB.
struct Picture {
  Picture(int w, int h)
      : width(w),
        height(h),
        pixels(static_cast<std::size_t>((w + 2) * h), kUntouched),
        canvas(pixels.data(), w, h, w + 2) {}

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * (width + 2) + x)];
  }
  // The set of pixels that hold word.
  std::set<std::pair<int, int>> Holding(std::uint32_t word) const {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (At(x, y) == word) found.insert({x, y});
      }
    }
    return found;
  }
  bool MarginUntouched() const {
    for (int y = 0; y < height; ++y) {
      if (At(width, y) != kUntouched || At(width + 1, y) != kUntouched) return false;
    }
    return true;
  }

  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  RasterCanvas canvas;
};

TEST(RasterCanvasTest, ClearingCoversTheLastColumnAndRow) {
  Picture picture(7, 5);
  picture.canvas.SetPenColour(0x00FF00FF);
  ClearPicture(picture.canvas, 7, 5);
  EXPECT_EQ(picture.Holding(kBlack).size(), 35u);
  EXPECT_TRUE(picture.MarginUntouched());
}

TEST(RasterCanvasTest, TriangleFillsCentresInsideAndOutlinesThroughTheCorners) {
  Picture picture(12, 12);
  picture.canvas.SetBrushColour(0x00FFFFFF);
  picture.canvas.SetPenColour(0x000000FF);
  picture.canvas.Polygon({1, 1}, {9, 1}, {1, 9});
  const std::uint32_t red = 0xFFFF0000;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 1}, {9, 1}, {1, 9}, {5, 5}}) {
    EXPECT_EQ(picture.At(x, y), red) << x << "," << y;
  }
  EXPECT_EQ(picture.At(3, 3), kWhite);
  EXPECT_EQ(picture.At(2, 7), kWhite);
  EXPECT_EQ(picture.At(6, 6), kUntouched);
  EXPECT_EQ(picture.Holding(red).size(), 8u + 8u + 8u);
  EXPECT_TRUE(picture.MarginUntouched());

  Picture dot(4, 4);
  dot.canvas.SetPenColour(0x00FFFFFF);
  dot.canvas.Polygon({2, 1}, {2, 1}, {2, 1});
  EXPECT_EQ(dot.Holding(kWhite), (std::set<std::pair<int, int>>{{2, 1}}));
}

TEST(RasterCanvasTest, ClearBrushLeavesTheInsideAlone) {
  Picture picture(12, 12);
  picture.canvas.SetBrushStyle(BrushStyle::kClear);
  picture.canvas.SetPenColour(0x00FFFFFF);
  picture.canvas.Polygon({1, 9}, {1, 1}, {9, 1});
  EXPECT_EQ(picture.At(3, 3), kUntouched);
  EXPECT_EQ(picture.Holding(kWhite).size(), 24u);
}

TEST(RasterCanvasTest, FarOutTrianglesAreClippedToThePicture) {
  Picture picture(30, 20);
  picture.canvas.SetBrushColour(0x00FFFFFF);
  picture.canvas.SetPenColour(0x00FFFFFF);
  picture.canvas.Polygon({-kFar, kFar}, {kFar, kFar}, {0, -kFar});
  EXPECT_EQ(picture.Holding(kWhite).size(), 600u);
  EXPECT_TRUE(picture.MarginUntouched());

  Picture untouched(30, 20);
  untouched.canvas.Polygon({-kFar, -kFar}, {kFar, -kFar}, {kFar, -1});
  untouched.canvas.Polygon({INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MAX}, {INT32_MAX, 21});
  EXPECT_EQ(untouched.Holding(kUntouched).size(), 600u);
}

// A clipped line must put on the picture exactly the pixels that the whole line puts
// there: drawn on a picture large enough to hold it, then compared on the window that the
// small picture shows.
TEST(RasterCanvasTest, ClippedLinesKeepTheirPixels) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-60, 100);
  for (int trial = 0; trial < 300; ++trial) {
    const PixelPoint a{coordinate(random), coordinate(random)};
    const PixelPoint b{coordinate(random), coordinate(random)};
    Picture whole(161, 161);
    whole.canvas.SetBrushStyle(BrushStyle::kClear);
    whole.canvas.SetPenColour(0x00FFFFFF);
    whole.canvas.Polygon({a.x + 60, a.y + 60}, {b.x + 60, b.y + 60}, {b.x + 60, b.y + 60});
    Picture window(40, 30);
    window.canvas.SetBrushStyle(BrushStyle::kClear);
    window.canvas.SetPenColour(0x00FFFFFF);
    window.canvas.Polygon(a, b, b);
    std::set<std::pair<int, int>> expected;
    for (const auto& [x, y] : whole.Holding(kWhite)) {
      if (x >= 60 && x < 100 && y >= 60 && y < 90) expected.insert({x - 60, y - 60});
    }
    ASSERT_EQ(window.Holding(kWhite), expected) << a.x << "," << a.y << " " << b.x << "," << b.y;
  }
}

// The picture that filling and outlining a triangle must give, pixel by pixel, straight
// from the rules: the brush on every pixel whose centre lies inside the triangle or on an
// edge, then the pen on each edge, one pixel per step along its longer axis, the other
// coordinate rounded to the nearest, halves up.
std::vector<std::uint32_t> Expected(int w, int h, PixelPoint a, PixelPoint b, PixelPoint c,
                                    std::uint32_t brush, std::uint32_t pen, bool solid) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), kUntouched);
  const auto put = [&](std::int64_t x, std::int64_t y, std::uint32_t word) {
    if (x >= 0 && x < w && y >= 0 && y < h) pixels[static_cast<std::size_t>(y * w + x)] = word;
  };
  const auto side = [](PixelPoint p, PixelPoint q, std::int64_t x, std::int64_t y) {
    return (std::int64_t{q.x} - p.x) * (y - p.y) - (std::int64_t{q.y} - p.y) * (x - p.x);
  };
  const std::int64_t area = side(a, b, c.x, c.y);
  for (std::int64_t y = 0; y < h && solid && area != 0; ++y) {
    for (std::int64_t x = 0; x < w; ++x) {
      const std::int64_t s1 = side(a, b, x, y), s2 = side(b, c, x, y), s3 = side(c, a, x, y);
      if (area > 0 ? s1 >= 0 && s2 >= 0 && s3 >= 0 : s1 <= 0 && s2 <= 0 && s3 <= 0) {
        put(x, y, brush);
      }
    }
  }
  for (const auto& [p, q] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
    const bool along_x = std::abs(q.x - p.x) >= std::abs(q.y - p.y);
    const PixelPoint from = (along_x ? p.x <= q.x : p.y <= q.y) ? p : q;
    const PixelPoint to = from.x == p.x && from.y == p.y ? q : p;
    const std::int64_t m0 = along_x ? from.x : from.y, m1 = along_x ? to.x : to.y;
    const std::int64_t n0 = along_x ? from.y : from.x, n1 = along_x ? to.y : to.x;
    for (std::int64_t m = m0; m <= m1; ++m) {
      const std::int64_t den = 2 * (m1 - m0);
      const std::int64_t n =
          den == 0 ? n0
                   : n0 + static_cast<std::int64_t>(std::floor(
                              static_cast<double>(2 * (n1 - n0) * (m - m0) + den / 2) / den));
      along_x ? put(m, n, pen) : put(n, m, pen);
    }
  }
  return pixels;
}

// Small triangles, most of all those within two by two pixels that a large scene is made
// of, anywhere on the picture and across its edges, filled or not.
TEST(RasterCanvasTest, SmallTrianglesPaintWhatTheRulesSay) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> place(-3, 9), spread(0, 1), wide(0, 4);
  for (int trial = 0; trial < 4000; ++trial) {
    const int reach = trial % 4 == 0 ? wide(random) : spread(random);
    const PixelPoint a{place(random), place(random)};
    const auto near = [&] {
      return PixelPoint{a.x + (random() % 2 ? 1 : -1) * reach * spread(random),
                        a.y + (random() % 2 ? 1 : -1) * reach * spread(random)};
    };
    const PixelPoint b = near(), c = near();
    const bool solid = trial % 3 != 0;
    Picture picture(7, 6);
    picture.canvas.SetBrushColour(0x00102030);
    picture.canvas.SetPenColour(0x00405060);
    picture.canvas.SetBrushStyle(solid ? BrushStyle::kSolid : BrushStyle::kClear);
    picture.canvas.Polygon(a, b, c);
    const std::vector<std::uint32_t> expected =
        Expected(7, 6, a, b, c, RasterCanvas::PixelWord(0x00102030),
                 RasterCanvas::PixelWord(0x00405060), solid);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 7; ++x) {
        ASSERT_EQ(picture.At(x, y), expected[static_cast<std::size_t>(y * 7 + x)])
            << a.x << "," << a.y << " " << b.x << "," << b.y << " " << c.x << "," << c.y
            << (solid ? " filled" : " outlined") << ", pixel " << x << "," << y;
      }
    }
    ASSERT_TRUE(picture.MarginUntouched());
  }
}

// The fill as it was first written, one edge test per pixel of the bounding box: the
// brush on every pixel whose centre has all three edge values >= 0, the triangle turned
// clockwise on the picture first. The run-by-run fill must paint exactly these pixels.
std::vector<std::uint32_t> FilledPixelByPixel(int w, int h, PixelPoint a, PixelPoint b,
                                              PixelPoint c, std::uint32_t brush) {
  using I64 = std::int64_t;
  const auto limited = [](PixelPoint p) {
    return PixelPoint{std::clamp(p.x, -kFar, kFar), std::clamp(p.y, -kFar, kFar)};
  };
  a = limited(a), b = limited(b), c = limited(c);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), kUntouched);
  const I64 area = (I64{b.x} - a.x) * (I64{c.y} - a.y) - (I64{b.y} - a.y) * (I64{c.x} - a.x);
  if (area == 0) return pixels;
  if (area < 0) std::swap(b, c);
  const auto edge = [](PixelPoint from, PixelPoint to, I64 x, I64 y) {
    return (x - from.x) * -(I64{to.y} - from.y) + (y - from.y) * (I64{to.x} - from.x);
  };
  const I64 x1 = std::max<I64>(std::min({a.x, b.x, c.x}), 0);
  const I64 x2 = std::min<I64>(std::max({a.x, b.x, c.x}), w - 1);
  const I64 y1 = std::max<I64>(std::min({a.y, b.y, c.y}), 0);
  const I64 y2 = std::min<I64>(std::max({a.y, b.y, c.y}), h - 1);
  for (I64 y = y1; y <= y2; ++y) {
    for (I64 x = x1; x <= x2; ++x) {
      if (edge(a, b, x, y) >= 0 && edge(b, c, x, y) >= 0 && edge(c, a, x, y) >= 0)
        pixels[static_cast<std::size_t>(y * w + x)] = brush;
    }
  }
  return pixels;
}

// A corner for the fill's comparison: on and around the picture, just beyond it, or as far
// out as the pixel range or a 32-bit number reaches.
PixelPoint RandomCorner(std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 5), near(-8, 48);
  std::uniform_int_distribution<std::int32_t> far(-kFar - 5, kFar + 5);
  std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
  const auto coordinate = [&] {
    switch (kind(random)) {
      case 0:
      case 1:
      case 2:
        return near(random);
      case 3:
        return far(random);
      case 4:
        return any(random);
      default:
        return (random() % 2 ? 1 : -1) * (kFar - near(random));
    }
  };
  return {coordinate(), coordinate()};
}

// Three corners: free, a thin sliver (two corners a step apart, or all three nearly in a
// line), a flat triangle (all in a line), or a single point.
std::array<PixelPoint, 3> RandomTriangle(std::mt19937& random, int shape) {
  const PixelPoint a = RandomCorner(random), b = RandomCorner(random);
  const auto step = [&](PixelPoint p) {
    return PixelPoint{p.x + static_cast<int>(random() % 3) - 1,
                      p.y + static_cast<int>(random() % 3) - 1};
  };
  const auto middle = [](PixelPoint p, PixelPoint q) {
    return PixelPoint{static_cast<std::int32_t>((std::int64_t{p.x} + q.x) / 2),
                      static_cast<std::int32_t>((std::int64_t{p.y} + q.y) / 2)};
  };
  switch (shape % 5) {
    case 0:
      return {a, b, RandomCorner(random)};
    case 1:
      return {a, step(a), b};
    case 2:
      return {a, step(middle(a, b)), b};
    case 3:
      return {a, PixelPoint{a.x, b.y}, PixelPoint{a.x, a.y / 2 + b.y / 2}};
    default:
      return {a, a, a};
  }
}

// Whatever the triangle, filled in runs it covers the pixels that the pixel-by-pixel edge
// test covers: far-out corners, slivers, flat and single-point triangles, both windings.
// The outline, drawn over the fill, is left out of the comparison.
TEST(RasterCanvasTest, RunsFillTheSamePixelsAsTheEdgeTestPerPixel) {
  std::mt19937 random(13);
  constexpr int kW = 41, kH = 29;
  const std::uint32_t brush = RasterCanvas::PixelWord(0x00102030);
  const std::uint32_t pen = RasterCanvas::PixelWord(0x00405060);
  for (int trial = 0; trial < 20000; ++trial) {
    const auto [a, b, c] = RandomTriangle(random, trial);
    Picture picture(kW, kH);
    picture.canvas.SetBrushColour(0x00102030);
    picture.canvas.SetPenColour(0x00405060);
    picture.canvas.Polygon(a, b, c);
    const std::vector<std::uint32_t> expected = FilledPixelByPixel(kW, kH, a, b, c, brush);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const std::uint32_t got = picture.At(x, y);
        if (got == pen) continue;
        ASSERT_EQ(got, expected[static_cast<std::size_t>(y * kW + x)])
            << a.x << "," << a.y << " " << b.x << "," << b.y << " " << c.x << "," << c.y
            << ", pixel " << x << "," << y;
      }
    }
    ASSERT_TRUE(picture.MarginUntouched());
  }
}

}  // namespace
}  // namespace orvandel
