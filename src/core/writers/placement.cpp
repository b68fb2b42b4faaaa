#include "writers/placement.h"

namespace orvandel {

// Placing keeps the order of values on each axis, except that a y-up file's z runs the
// other way: the lowest y becomes the highest z.
AxisRanges Placement::Bounds(const AxisRanges& mesh) const {
  const Vector3 low = Position({mesh.x.low, mesh.y.low, mesh.z.low});
  const Vector3 high = Position({mesh.x.high, mesh.y.high, mesh.z.high});
  if (up_ == UpAxis::kY) return {{low.x, high.x}, {low.y, high.y}, {high.z, low.z}};
  return {{low.x, high.x}, {low.y, high.y}, {low.z, high.z}};
}

double PrintScale(const AxisRange& x, float print_width) {
  if (print_width == 0) return 1;
  return double{print_width} / (double{x.high} - x.low);
}

Placement PlaceMesh(const AxisRanges& mesh, float print_width, UpAxis up, float top) {
  if (print_width == 0) return {1, {0, up == UpAxis::kY ? double{top} : 0, 0}, up, false};
  const auto middle = [](const AxisRange& range) { return (double{range.low} + range.high) / 2; };
  return {PrintScale(mesh.x, print_width), {middle(mesh.x), middle(mesh.y), mesh.z.low}, up, true};
}

}  // namespace orvandel
