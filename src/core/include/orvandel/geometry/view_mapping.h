#pragma once

#include <cstdint>

namespace orvandel {

struct PixelPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct WorldPoint {
  float x = 0;
  float y = 0;
};

// The linear mapping between a world rectangle (the window, y growing upwards) and a
// rectangle of pixels (the viewport, rows growing downwards). World (x1, y1) maps to
// pixel (px1, py2) and world (x2, y2) to pixel (px2, py1).
//
// Call SetWindow(), then SetViewport(), then convert: the coefficients are computed by
// SetViewport() from the window stored before it. On an axis where the window or the
// viewport has no extent, every pixel maps to the window's centre and every world
// coordinate to the viewport's centre, instead of dividing by zero.
class ViewMapping {
 public:
  void SetWindow(float x1, float y1, float x2, float y2);
  void SetViewport(std::int32_t px1, std::int32_t py1, std::int32_t px2, std::int32_t py2);

  // Rounds to the nearest pixel, halves to the even neighbour. Results are clamped to
  // +-kPixelLimit so that any world point, however far out, gives a usable pixel.
  PixelPoint WorldToPixel(float x, float y) const;
  WorldPoint PixelToWorld(std::int32_t px, std::int32_t py) const;

  static constexpr std::int32_t kPixelLimit = 1 << 28;

 private:
  // One axis: pixel = scale x world + offset. An axis without extent maps every pixel to
  // the window's centre and every world coordinate to the viewport's.
  struct Axis {
    float scale = 0;
    float offset = 0;
    bool flat = true;
    float centre = 0;
  };

  // The axis that takes the window's low and high edges to the pixels from and to.
  static Axis MapAxis(float low, float high, std::int32_t from, std::int32_t to);

  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  Axis x_;
  Axis y_;
};

}  // namespace orvandel
