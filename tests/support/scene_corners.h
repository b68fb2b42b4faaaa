#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/geometry/vector3.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel::test {

// A face written down with copies of its corners, the way tests think of scenes.
struct FaceCorners {
  Vector3 Corner1;
  Vector3 Corner2;
  Vector3 Corner3;
  std::int32_t Hue = 0;
};

// A scene of the faces in order, each with three vertices of its own.
IndexedScene SceneOf(const std::vector<FaceCorners>& faces);

// The face with copies of its corners from vertices (the scene's own, or turned ones).
FaceCorners CornersOf(const std::vector<Vector3>& vertices, const SceneFace& face);

}  // namespace orvandel::test
