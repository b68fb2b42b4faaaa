#pragma once

#include <cstddef>
#include <cstdint>

#include "orvandel/viewer/canvas.h"

namespace orvandel {

// A canvas that paints straight into a caller-owned picture of 32-bit pixels 0xFFRRGGBB
// (the layout of a QImage in Format_RGB32), fast enough for millions of tiny triangles.
// Everything is clipped to the picture before any pixel is visited, so far-out points
// cost no more than points on the picture.
//
// Polygon fills the pixels whose centres lie inside the triangle or on its edges, then
// draws the three edges as one-pixel lines through the corner pixels. Starts with a
// white solid brush and a black pen.
class RasterCanvas : public Canvas {
 public:
  // pixels: height rows of stride words each (stride at least width), alive and unmoved
  // as long as the canvas is used.
  RasterCanvas(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride);

  void SetBrushColour(PackedColour colour) override;
  void SetBrushStyle(BrushStyle style) override { brush_style_ = style; }
  void SetPenColour(PackedColour colour) override;
  PackedColour GetBrushColour() const override { return brush_colour_; }
  BrushStyle GetBrushStyle() const override { return brush_style_; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Polygon(PixelPoint p1, PixelPoint p2, PixelPoint p3) override;

  // The pixel word of a packed colour.
  static std::uint32_t PixelWord(PackedColour colour);

 private:
  void FillBlock(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                 std::uint32_t word);
  bool PaintTinyTriangle(PixelPoint a, PixelPoint b, PixelPoint c);
  void FillTriangle(PixelPoint a, PixelPoint b, PixelPoint c);
  void DrawLine(PixelPoint a, PixelPoint b);
  void WalkLine(std::int64_t m0, std::int64_t n0, std::int64_t m1, std::int64_t n1,
                std::int64_t major_size, std::int64_t minor_size, std::ptrdiff_t major_step,
                std::ptrdiff_t minor_step);

  std::uint32_t* pixels_;
  std::int64_t width_;
  std::int64_t height_;
  std::ptrdiff_t stride_;
  PackedColour brush_colour_ = 0x00FFFFFF;
  BrushStyle brush_style_ = BrushStyle::kSolid;
  std::uint32_t brush_word_ = PixelWord(0x00FFFFFF);
  std::uint32_t pen_word_ = PixelWord(0);
};

}  // namespace orvandel
