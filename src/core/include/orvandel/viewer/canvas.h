#pragma once

#include "orvandel/geometry/colour.h"
#include "orvandel/geometry/view_mapping.h"

namespace orvandel {

enum class BrushStyle { kSolid, kClear };

// The drawing surface of the render window's picture. Coordinates are pixels, x to the
// right and y downwards; points may lie far outside the picture (up to
// +-ViewMapping::kPixelLimit) and are clipped. The pen is always one pixel wide and solid.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetBrushColour(PackedColour colour) = 0;
  virtual void SetBrushStyle(BrushStyle style) = 0;
  virtual void SetPenColour(PackedColour colour) = 0;
  virtual PackedColour GetBrushColour() const = 0;
  virtual BrushStyle GetBrushStyle() const = 0;

  // The pixels from (x1, y1) up to but not including column x2 and row y2: filled with the
  // brush when it is solid, their outermost pixels drawn with the pen.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // The triangle: filled with the brush when it is solid, then outlined with the pen
  // through its three corner pixels.
  virtual void Polygon(PixelPoint p1, PixelPoint p2, PixelPoint p3) = 0;
};

}  // namespace orvandel
