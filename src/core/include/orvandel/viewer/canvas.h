#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/geometry/colour.h"
#include "orvandel/geometry/view_mapping.h"

namespace orvandel {

enum class BrushStyle { kSolid, kClear };

// A corner of a triangle painted in depth order: its pixel and its depth in view space,
// larger nearer the observer.
struct DepthPoint {
  PixelPoint pixel;
  float depth = 0;
};

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

  // Depth order. ClearDepth makes every pixel infinitely far and of no face. DepthFace
  // marks the pixels that Polygon would paint with a solid brush as showing face, where
  // the triangle lies at least as near as all faces marked there before (so the later of
  // two at equal depth shows), and keeps their depths: inside, the depth of the triangle's
  // plane; on the outline, the depth along each edge, the same whichever triangle draws
  // the edge. The picture itself changes only with PaintFaces.
  virtual void ClearDepth() = 0;
  virtual void DepthFace(std::uint32_t face, DepthPoint p1, DepthPoint p2, DepthPoint p3) = 0;
  // Sets shown[face] to 1 for every face that a pixel shows; shown holds an entry for
  // every face marked.
  virtual void FindShownFaces(std::vector<std::uint8_t>& shown) const = 0;
  // Paints every pixel that shows a face in colours[face].
  virtual void PaintFaces(const PackedColour* colours) = 0;
  // The triangle's edges in the pen's colour, only where they lie no more than bias behind
  // the depths kept; keeps no depths.
  virtual void VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) = 0;
};

}  // namespace orvandel
