#include "viewer/scene_size.h"

#include <cmath>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

// The viewing distance for a scene whose bounding box has the squared diagonal d2, derived
// from the previous one. After a degenerate scene left it near zero, it starts again from
// kStartEyeDistance, so that one such file does not make every later load fail.
float NextEyeDistance(float previous, float d2) {
  const long double e = previous < -1e-9L ? previous : kStartEyeDistance;
  return static_cast<float>(-(100.0L / 99) * std::sqrt((0.25L / (e * e) + 1) * d2));
}

}  // namespace

float BoundingBox::DiagonalSquared() const {
  using L = long double;
  const L dx = L{x.high} - x.low;
  const L dy = L{y.high} - y.low;
  const L dz = L{z.high} - z.low;
  return static_cast<float>(dx * dx + dy * dy + dz * dz);
}

void SizeUpScene(const BoundingBox& box, ViewerState& state, const ShowAngles& show_angles) {
  state.EyeDistance = NextEyeDistance(state.EyeDistance, box.DiagonalSquared());
  ResetViewAngles(state);
  show_angles(TargetAngles(state));
  if (std::fabs(state.EyeDistance) < 1e-9L) throw Refusal("Division by zero!");
}

}  // namespace orvandel
