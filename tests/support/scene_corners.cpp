#include "scene_corners.h"

namespace orvandel::test {

IndexedScene SceneOf(const std::vector<FaceCorners>& faces) {
  IndexedScene scene;
  for (const FaceCorners& face : faces) {
    const auto first = static_cast<std::uint32_t>(scene.vertices.size());
    scene.vertices.insert(scene.vertices.end(), {face.Corner1, face.Corner2, face.Corner3});
    scene.faces.push_back({first, first + 1, first + 2, face.Hue});
  }
  return scene;
}

FaceCorners CornersOf(const std::vector<Vector3>& vertices, const SceneFace& face) {
  return {vertices.at(face.Corner1), vertices.at(face.Corner2), vertices.at(face.Corner3),
          face.Hue};
}

}  // namespace orvandel::test
