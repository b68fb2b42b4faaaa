#include "orvandel/generator/view_mapping.h"

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

void ViewMapping::SetViewport(std::int32_t px1, std::int32_t py1, std::int32_t px2,
                              std::int32_t py2) {
  px1_ = px1;
  py1_ = py1;
  px2_ = px2;
  py2_ = py2;
  flat_x_ = px2 == px1 || x2_ == x1_;
  flat_y_ = py2 == py1 || y2_ == y1_;
  centre_x_ = static_cast<float>((static_cast<long double>(x1_) + x2_) / 2);
  centre_y_ = static_cast<float>((static_cast<long double>(y1_) + y2_) / 2);
  if (flat_x_) {
    sx_ = 0;
    tx_ = static_cast<float>((static_cast<long double>(px1) + px2) / 2);
  } else {
    sx_ = static_cast<float>((static_cast<long double>(px2) - px1) /
                             (static_cast<long double>(x2_) - x1_));
    tx_ = static_cast<float>(px1 - static_cast<long double>(sx_) * x1_);
  }
  if (flat_y_) {
    sy_ = 0;
    ty_ = static_cast<float>((static_cast<long double>(py1) + py2) / 2);
  } else {
    sy_ = static_cast<float>((static_cast<long double>(py1) - py2) /
                             (static_cast<long double>(y2_) - y1_));
    ty_ = static_cast<float>(py2 - static_cast<long double>(sy_) * y1_);
  }
}

PixelPoint ViewMapping::WorldToPixel(float x, float y) const {
  return {ToPixel(static_cast<long double>(sx_) * x + tx_),
          ToPixel(static_cast<long double>(sy_) * y + ty_)};
}

WorldPoint ViewMapping::PixelToWorld(std::int32_t px, std::int32_t py) const {
  const float x =
      flat_x_ ? centre_x_ : static_cast<float>((px - static_cast<long double>(tx_)) / sx_);
  const float y =
      flat_y_ ? centre_y_ : static_cast<float>((py - static_cast<long double>(ty_)) / sy_);
  return {x, y};
}

}  // namespace orvandel
