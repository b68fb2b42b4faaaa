#include "orvandel/geometry/view_mapping.h"

#include <cmath>

namespace orvandel {
namespace {

std::int32_t ToPixel(long double value) {
  constexpr long double kLimit = ViewMapping::kPixelLimit;
  if (std::isnan(value)) return -ViewMapping::kPixelLimit;
  // rint rounds as nearbyint does in the default mode, halves to even, but compiles to
  // one instruction instead of a library call: this runs for every corner of every face.
  const long double rounded = std::rint(value);
  if (rounded > kLimit) return ViewMapping::kPixelLimit;
  if (rounded < -kLimit) return -ViewMapping::kPixelLimit;
  // Through double, which holds the whole number exactly: a long double converted to an
  // integer directly makes the compiler switch the x87 rounding mode around each conversion.
  return static_cast<std::int32_t>(static_cast<double>(rounded));
}

}  // namespace

void ViewMapping::SetWindow(float x1, float y1, float x2, float y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
}

ViewMapping::Axis ViewMapping::MapAxis(float low, float high, std::int32_t from, std::int32_t to) {
  Axis axis;
  axis.flat = to == from || high == low;
  axis.centre = static_cast<float>((static_cast<long double>(low) + high) / 2);
  if (axis.flat) {
    axis.offset = static_cast<float>((static_cast<long double>(from) + to) / 2);
    return axis;
  }
  axis.scale = static_cast<float>((static_cast<long double>(to) - from) /
                                  (static_cast<long double>(high) - low));
  axis.offset = static_cast<float>(from - static_cast<long double>(axis.scale) * low);
  return axis;
}

// World y grows upwards and pixel rows downwards: the window's lower edge y1 goes to the
// viewport's bottom row py2.
void ViewMapping::SetViewport(std::int32_t px1, std::int32_t py1, std::int32_t px2,
                              std::int32_t py2) {
  x_ = MapAxis(x1_, x2_, px1, px2);
  y_ = MapAxis(y1_, y2_, py2, py1);
}

PixelPoint ViewMapping::WorldToPixel(float x, float y) const {
  return {ToPixel(static_cast<long double>(x_.scale) * x + x_.offset),
          ToPixel(static_cast<long double>(y_.scale) * y + y_.offset)};
}

WorldPoint ViewMapping::PixelToWorld(std::int32_t px, std::int32_t py) const {
  const auto world = [](const Axis& axis, std::int32_t pixel) {
    if (axis.flat) return axis.centre;
    return static_cast<float>((pixel - static_cast<long double>(axis.offset)) / axis.scale);
  };
  return {world(x_, px), world(y_, py)};
}

}  // namespace orvandel
