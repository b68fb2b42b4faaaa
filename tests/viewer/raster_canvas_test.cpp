#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace
}  // namespace orvandel
