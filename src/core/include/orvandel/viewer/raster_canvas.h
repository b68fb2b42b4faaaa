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
// white solid brush and a black pen. Depth order keeps a depth and a face per pixel, made
// by the first ClearDepth.
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
  void DepthFace(std::uint32_t face, DepthPoint p1, DepthPoint p2, DepthPoint p3) override;
  void FindShownFaces(std::vector<std::uint8_t>& shown) const override;
  void PaintFaces(const PackedColour* colours) override;
  void VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) override;

  // The pixel word of a packed colour.
  static std::uint32_t PixelWord(PackedColour colour);

 private:
  void FillBlock(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                 std::uint32_t word);
  void PaintTinyTriangle(PixelPoint a, PixelPoint b, PixelPoint c);
  void DrawLine(PixelPoint a, PixelPoint b);
  // Marks the pixel at offset as showing face where depth is at least the depth kept
  // there, and keeps depth.
  void MarkNearer(std::ptrdiff_t offset, float depth, std::uint32_t face);
  void DepthPoints(std::uint32_t face, DepthPoint a, DepthPoint b, DepthPoint c);
  void DepthFill(std::uint32_t face, DepthPoint a, DepthPoint b, DepthPoint c);
  void DepthLine(std::uint32_t face, DepthPoint a, DepthPoint b);
  // fn(offset) for every pixel of the picture.
  template <typename Visit>
  void ForEachPixel(Visit&& visit) const;

  std::uint32_t* pixels_;
  std::int64_t width_;
  std::int64_t height_;
  std::ptrdiff_t stride_;
  PackedColour brush_colour_ = 0x00FFFFFF;
  BrushStyle brush_style_ = BrushStyle::kSolid;
  std::uint32_t brush_word_ = PixelWord(0x00FFFFFF);
  std::uint32_t pen_word_ = PixelWord(0);
  // Laid out as the pixels, stride included: the depth each pixel keeps and the face it
  // shows.
  std::vector<float> depth_;
  std::vector<std::uint32_t> faces_;
};

}  // namespace orvandel
