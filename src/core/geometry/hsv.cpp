#include "orvandel/geometry/hsv.h"

#include <cmath>

namespace orvandel {
namespace {

// Hand-made scene files may carry any hue; wrapping gives every one of them a colour.
float WrappedHue(float H) {
  if (!std::isfinite(H)) return 0;
  if (H >= 0 && H <= 360) return H;
  const float wrapped = std::fmod(H, 360.0f);
  return wrapped < 0 ? wrapped + 360.0f : wrapped;
}

}  // namespace

RgbValues HsvToRgb(float H, float S, float V) {
  using L = long double;
  if (std::fabs(S) < 1e-9L) return {V, V, V};
  H = WrappedHue(H);
  if (std::fabs(L{H} - 360) < 1e-9L) H = 0;
  const float h = static_cast<float>(H * (1.0L / 60));
  const int i = static_cast<int>(h);
  const float f = h - static_cast<float>(i);
  const float p = static_cast<float>((1 - L{S}) * V);
  const float q = static_cast<float>((1 - L{S} * f) * V);
  const float t = static_cast<float>((1 - (1 - L{f}) * S) * V);
  switch (i) {
    case 0:
      return {V, t, p};
    case 1:
      return {q, V, p};
    case 2:
      return {p, V, t};
    case 3:
      return {p, q, V};
    case 4:
      return {t, p, V};
    default:
      return {V, p, q};
  }
}

}  // namespace orvandel
