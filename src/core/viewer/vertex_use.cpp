#include "viewer/vertex_use.h"

#include "orvandel/fileio/failure.h"

namespace orvandel {

VertexUse::VertexUse(std::size_t vertex_count)
    : count_(vertex_count), words_((vertex_count + 63) / 64) {}

void VertexUse::ThrowOutOfBounds() {
  throw RuntimeFailure("List index out of bounds");
}

void DropUnnamedVertices(IndexedScene& scene, const VertexUse& use) {
  if (use.AllNamed()) return;
  std::vector<std::uint32_t> renumbered(scene.vertices.size());
  std::uint32_t kept = 0;
  for (std::size_t number = 0; number < scene.vertices.size(); ++number) {
    if (!use.IsNamed(number)) continue;
    renumbered[number] = kept;
    scene.vertices[kept++] = scene.vertices[number];
  }
  scene.vertices.resize(kept);
  scene.vertices.shrink_to_fit();
  for (SceneFace& face : scene.faces) {
    face.Corner1 = renumbered[face.Corner1];
    face.Corner2 = renumbered[face.Corner2];
    face.Corner3 = renumbered[face.Corner3];
  }
}

}  // namespace orvandel
