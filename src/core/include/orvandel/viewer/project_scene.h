#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/geometry/vector3.h"
#include "orvandel/geometry/view_mapping.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// The world rectangle around the projected scene, as given to ViewMapping::SetWindow.
struct ViewWindow {
  float x1 = 0;
  float y1 = 0;
  float x2 = 0;
  float y2 = 0;
};

// One render's view of the scene: the rotation into view space (x to the right, y the
// depth, z upwards), the scene's vertices turned by it, the sun in view space, and the
// mapping of view-space x and z onto the picture. The faces keep naming their corners by
// number, now in view_vertices.
struct Projection {
  Matrix3 ViewMatrix;
  Vector3 SunPosition;
  float E = 0;  // the farthest any rotated corner lies from the origin in x or z
  float S = 0;  // 1 / E
  ViewWindow window;
  ViewMapping mapping;
  // The longer side of a pixel in view space at a zoom of 1.
  float pixel_size = 0;
  std::vector<Vector3> view_vertices;
};

// A tilt by the vertical angle about the x axis after a turn by the horizontal angle about
// the z axis (angles in degrees).
Matrix3 ViewMatrixFor(std::uint16_t vertical, std::uint16_t horizontal);

// The sun at distance 10 from the world origin in the direction of the angles (straight
// above at vertical 90), turned into view space by view_matrix.
Vector3 SunPositionFor(const Matrix3& view_matrix, AnglePair sun);

// Rotates the vertices of state.SceneFaces by the observer's angles, each once, sharing
// them among state.threads threads; places the sun by its angles and maps the rotated
// scene's extent, scaled by S, onto a picture of width x height pixels (both at least 1).
// Needs a scene: RenderScene only clears the picture when there is none.
// Throws Refusal "Division by zero!" when the rotated scene has no extent in x or in z;
// the scene is then discarded.
Projection Project_Scene(ViewerState& state, std::int32_t width, std::int32_t height);

}  // namespace orvandel
