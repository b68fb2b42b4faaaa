#pragma once

#include <string>
#include <vector>

#include "orvandel/viewer/canvas.h"

namespace orvandel::test {

// A canvas that writes down every call, one line each, for exact comparison:
// "BrushColour 003D993D", "BrushStyle clear", "PenColour 00FFFFFF",
// "Rectangle 0 0 550 418", "Polygon 348,0 122,157 479,271", "ClearDepth",
// "DepthFace 0 348,0@0 122,157@0.47 479,271@0.81", "PaintFaces",
// "VisibleEdges ... 0.01" (the bias).
class RecordingCanvas : public Canvas {
 public:
  void SetBrushColour(PackedColour colour) override;
  void SetBrushStyle(BrushStyle style) override;
  void SetPenColour(PackedColour colour) override;
  PackedColour GetBrushColour() const override { return brush_colour_; }
  BrushStyle GetBrushStyle() const override { return brush_style_; }
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Polygon(PixelPoint p1, PixelPoint p2, PixelPoint p3) override;
  void ClearDepth() override;
  void DepthFace(std::uint32_t face, DepthPoint p1, DepthPoint p2, DepthPoint p3) override;
  // Shows no face: the canvas keeps no pixels.
  void FindShownFaces(std::vector<std::uint8_t>& shown) const override;
  void PaintFaces(const PackedColour* colours) override;
  void VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) override;

  std::vector<std::string> calls;

 private:
  PackedColour brush_colour_ = 0x00FFFFFF;
  BrushStyle brush_style_ = BrushStyle::kSolid;
};

// The calls with which every render clears a picture of width x height pixels.
std::vector<std::string> ClearCalls(int width, int height);

}  // namespace orvandel::test
