#include "writers/placement.h"

namespace orvandel {
namespace {

// Stored once as floats, so that each coordinate is rounded once.
Vector3 Up(UpAxis up, double x, double y, double z) {
  if (up == UpAxis::kY)
    return {static_cast<float>(x), static_cast<float>(z), static_cast<float>(-y)};
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

}  // namespace

Vector3 Placement::Position(const Vector3& p) const {
  return Up(up, scale * (p.x - origin[0]), scale * (p.y - origin[1]), scale * (p.z - origin[2]));
}

Vector3 Placement::Normal(const Vector3& n) const {
  return Up(up, n.x, n.y, n.z);
}

// Placing keeps the order of values on each axis, except that a y-up file's z runs the
// other way: the lowest y becomes the highest z.
MeshBounds Placement::Bounds(const MeshBounds& mesh) const {
  const Vector3 low = Position({mesh.x.low, mesh.y.low, mesh.z.low});
  const Vector3 high = Position({mesh.x.high, mesh.y.high, mesh.z.high});
  if (up == UpAxis::kY) return {{low.x, high.x}, {low.y, high.y}, {high.z, low.z}};
  return {{low.x, high.x}, {low.y, high.y}, {low.z, high.z}};
}

double PrintScale(const AxisRange& x, float print_width) {
  if (print_width == 0) return 1;
  return double{print_width} / (double{x.high} - x.low);
}

Placement PlaceMesh(const MeshBounds& mesh, float print_width, UpAxis up, float top) {
  if (print_width == 0) return {1, {0, up == UpAxis::kY ? double{top} : 0, 0}, up};
  const auto middle = [](const AxisRange& range) { return (double{range.low} + range.high) / 2; };
  return {PrintScale(mesh.x, print_width), {middle(mesh.x), middle(mesh.y), mesh.z.low}, up};
}

}  // namespace orvandel
