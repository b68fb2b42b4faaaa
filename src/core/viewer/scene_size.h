#pragma once

#include "geometry/bounds.h"
#include "orvandel/geometry/vector3.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// The box around a scene's vertices.
struct BoundingBox {
  AxisRange x, y, z;

  void Take(const Vector3& v) {
    x.Take(v.x);
    y.Take(v.y);
    z.Take(v.z);
  }
  // The square of the box's diagonal, summed at full precision.
  float DiagonalSquared() const;
};

// What every load does once it knows the box around the new scene: derives EyeDistance
// from the box and the previous EyeDistance, and resets the four view angles, whose
// target pair goes to show_angles. Throws Refusal "Division by zero!" when the box is a
// single point (after the angles are reset and shown); the next load then derives
// EyeDistance afresh.
void SizeUpScene(const BoundingBox& box, ViewerState& state, const ShowAngles& show_angles);

}  // namespace orvandel
