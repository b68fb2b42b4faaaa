#include "orvandel/viewer/project_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fileio/huge_pages.h"
#include "fileio/parallel_parts.h"
#include "geometry/bounds.h"
#include "geometry/vector_math.h"
#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180;

long double Radians(std::uint16_t degrees) {
  return degrees * kRadiansPerDegree;
}

// The extent of the rotated scene on the picture's axes, view-space x and z.
struct Extent {
  AxisRange x, z;

  void Take(const Vector3& p) {
    x.Take(p.x);
    z.Take(p.z);
  }
  void Take(const Extent& later) {
    x.Take(later.x);
    z.Take(later.z);
  }
  float Reach() const {
    float e = x.high;
    if (-x.low > e) e = -x.low;
    if (e < z.high) e = z.high;
    if (-z.low > e) e = -z.low;
    return e;
  }
};

// Turns every vertex into view space, each part of the list on a thread of its own, and
// measures the extent of the result as if the vertices were taken in order.
Extent RotateVertices(const std::vector<Vector3>& vertices, const Matrix3& m, ThreadCount threads,
                      std::vector<Vector3>& rotated) {
  rotated = HugePagedVector<Vector3>(vertices.size());
  const unsigned parts = PartsFor(vertices.size(), threads);
  std::vector<Extent> extents(parts);
  RunParts(parts, [&](unsigned part) {
    const PartRange range = PartOf(vertices.size(), parts, part);
    Extent& extent = extents[part];
    for (std::size_t k = range.begin; k < range.end; ++k) {
      rotated[k] = MatMulVec(vertices[k], m);
      extent.Take(rotated[k]);
    }
  });
  Extent all;
  for (const Extent& extent : extents)
    all.Take(extent);
  return all;
}

[[noreturn]] void RefuseFlatScene(ViewerState& state) {
  DiscardScene(state);
  throw Refusal("Division by zero!");
}

}  // namespace

Matrix3 ViewMatrixFor(std::uint16_t vertical, std::uint16_t horizontal) {
  const auto s1 = static_cast<float>(std::sin(Radians(vertical)));
  const auto c1 = static_cast<float>(std::cos(Radians(vertical)));
  const auto s2 = static_cast<float>(std::sin(Radians(horizontal)));
  const auto c2 = static_cast<float>(std::cos(Radians(horizontal)));
  return {{c2, -s2, 0,            //
           c1 * s2, c1 * c2, s1,  //
           -s1 * s2, -s1 * c2, c1}};
}

Vector3 SunPositionFor(const Matrix3& view_matrix, AnglePair sun) {
  const long double cos_v = std::cos(Radians(sun.vertical));
  const Vector3 world{static_cast<float>(10 * cos_v * std::sin(Radians(sun.horizontal))),
                      static_cast<float>(10 * cos_v * std::cos(Radians(sun.horizontal))),
                      static_cast<float>(10 * std::sin(Radians(sun.vertical)))};
  return MatMulVec(world, view_matrix);
}

Projection Project_Scene(ViewerState& state, std::int32_t width, std::int32_t height) {
  Projection projection;
  const Matrix3& m = projection.ViewMatrix =
      ViewMatrixFor(state.ObserverVertical, state.ObserverHorizontal);
  projection.SunPosition = SunPositionFor(m, {state.SunVertical, state.SunHorizontal});

  const Extent extent =
      RotateVertices(state.SceneFaces.vertices, m, state.threads, projection.view_vertices);

  projection.E = extent.Reach();
  if (std::fabs(projection.E) < 1e-9L) RefuseFlatScene(state);
  const float s = projection.S = static_cast<float>(1.0L / projection.E);
  projection.window = {s * extent.x.low, s * extent.z.low, s * extent.x.high, s * extent.z.high};
  // A scene seen edge-on in one direction would give the mapping no width or no height.
  const ViewWindow& w = projection.window;
  if (w.x1 == w.x2 || w.y1 == w.y2) RefuseFlatScene(state);
  projection.mapping.SetWindow(w.x1, w.y1, w.x2, w.y2);
  projection.mapping.SetViewport(0, 0, width - 1, height - 1);
  projection.pixel_size = static_cast<float>(
      std::max((double{extent.x.high} - extent.x.low) / std::max(width - 1, 1),
               (double{extent.z.high} - extent.z.low) / std::max(height - 1, 1)));
  return projection;
}

}  // namespace orvandel
