#include "orvandel/viewer/project_scene.h"

#include <cmath>
#include <numbers>

#include "orvandel/fileio/failure.h"
#include "orvandel/geometry/vector_math.h"

namespace orvandel {
namespace {

constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180;

long double Radians(std::uint16_t degrees) {
  return degrees * kRadiansPerDegree;
}

// The bounds start at -+1.7e38, so the first corner raises the maximum and lowers the
// minimum alike.
struct Extent {
  float min_x = 1.7e38f;
  float max_x = -1.7e38f;
  float min_z = 1.7e38f;
  float max_z = -1.7e38f;

  void Take(const Vector3& p) {
    if (p.x > max_x) max_x = p.x;
    if (p.x < min_x) min_x = p.x;
    if (p.z > max_z) max_z = p.z;
    if (p.z < min_z) min_z = p.z;
  }
  float Reach() const {
    float e = max_x;
    if (-min_x > e) e = -min_x;
    if (e < max_z) e = max_z;
    if (-min_z > e) e = -min_z;
    return e;
  }
};

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

SceneFace RotatedFace(const SceneFace& face, const Matrix3& view_matrix) {
  return {MatMulVec(face.Corner1, view_matrix), MatMulVec(face.Corner2, view_matrix),
          MatMulVec(face.Corner3, view_matrix), face.Hue};
}

Projection Project_Scene(ViewerState& state, std::int32_t width, std::int32_t height) {
  Projection projection;
  const Matrix3& m = projection.ViewMatrix =
      ViewMatrixFor(state.ObserverVertical, state.ObserverHorizontal);
  projection.SunPosition = SunPositionFor(m, {state.SunVertical, state.SunHorizontal});

  Extent extent;
  for (const SceneFace& face : state.SceneFaces) {
    const SceneFace rotated = RotatedFace(face, m);
    extent.Take(rotated.Corner1);
    extent.Take(rotated.Corner2);
    extent.Take(rotated.Corner3);
  }

  projection.E = extent.Reach();
  if (std::fabs(projection.E) < 1e-9L) RefuseFlatScene(state);
  const float s = projection.S = static_cast<float>(1.0L / projection.E);
  projection.window = {s * extent.min_x, s * extent.min_z, s * extent.max_x, s * extent.max_z};
  // A scene seen edge-on in one direction would give the mapping no width or no height.
  const ViewWindow& w = projection.window;
  if (w.x1 == w.x2 || w.y1 == w.y2) RefuseFlatScene(state);
  projection.mapping.SetWindow(w.x1, w.y1, w.x2, w.y2);
  projection.mapping.SetViewport(0, 0, width - 1, height - 1);
  return projection;
}

}  // namespace orvandel
