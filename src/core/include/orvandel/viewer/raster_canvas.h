#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "orvandel/viewer/canvas.h"

namespace orvandel {

// A canvas that paints straight into a caller-owned picture of 32-bit pixels 0xFFRRGGBB
// (the layout of a QImage in Format_RGB32), fast enough for millions of tiny triangles.
// Everything is clipped to the picture before any pixel is visited, so far-out points
// cost no more than points on the picture.
//
// Polygon fills the pixels whose centres lie inside the triangle or on its edges, then
// draws the three edges as one-pixel lines through the corner pixels. Starts with a
// white solid brush and a black pen. Depth order keeps one float per pixel, made by the
// first ClearDepth.
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
  // Throws std::bad_alloc when the depths of the picture do not fit in memory.
  void ClearDepth() override;
  void DepthPolygon(DepthPoint p1, DepthPoint p2, DepthPoint p3) override;
  void VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) override;

  // The pixel word of a packed colour.
  static std::uint32_t PixelWord(PackedColour colour);

 private:
  void FillBlock(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                 std::uint32_t word);
  void PaintTinyTriangle(PixelPoint a, PixelPoint b, PixelPoint c);
  void DrawLine(PixelPoint a, PixelPoint b);
  // Paints the pixel at offset with word where depth is at least the depth kept there,
  // and keeps depth.
  void PaintNearer(std::ptrdiff_t offset, float depth, std::uint32_t word);
  void DepthPoints(DepthPoint a, DepthPoint b, DepthPoint c);
  void DepthFill(DepthPoint a, DepthPoint b, DepthPoint c);
  void DepthLine(DepthPoint a, DepthPoint b);

  std::uint32_t* pixels_;
  std::int64_t width_;
  std::int64_t height_;
  std::ptrdiff_t stride_;
  PackedColour brush_colour_ = 0x00FFFFFF;
  BrushStyle brush_style_ = BrushStyle::kSolid;
  std::uint32_t brush_word_ = PixelWord(0x00FFFFFF);
  std::uint32_t pen_word_ = PixelWord(0);
  std::vector<float> depth_;  // laid out as the pixels, stride included
};

}  // namespace orvandel
