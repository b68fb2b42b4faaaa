#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// Which vertices of a scene being loaded its faces name, so that the vertices no face
// names can be dropped: the extent of the faces is then the extent of the vertices, and
// a render needs no pass over the faces to measure it.
class VertexUse {
 public:
  // For a scene of vertex_count vertices, none named yet.
  explicit VertexUse(std::size_t vertex_count);

  // The vertex number that a triangle record names. Throws RuntimeFailure "List index out
  // of bounds" when the scene has no such vertex.
  std::uint32_t Number(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= count_) ThrowOutOfBounds();
    return static_cast<std::uint32_t>(index);
  }

  // Marks the corners of a face the scene keeps as named.
  void Name(const SceneFace& face) {
    Name(face.Corner1);
    Name(face.Corner2);
    Name(face.Corner3);
  }

  bool IsNamed(std::size_t number) const { return (words_[number / 64] >> (number % 64) & 1) != 0; }
  bool AllNamed() const { return named_ == count_; }

 private:
  [[noreturn]] static void ThrowOutOfBounds();
  void Name(std::uint32_t number) {
    std::uint64_t& word = words_[number / 64];
    const std::uint64_t bit = std::uint64_t{1} << (number % 64);
    named_ += (word & bit) == 0;
    word |= bit;
  }

  std::size_t count_;
  std::size_t named_ = 0;
  std::vector<std::uint64_t> words_;
};

// Drops the vertices of scene that no face names, as use records them, keeping the order
// of the others, and renumbers the faces' corners to match. Changes nothing when every
// vertex is named. Throws std::bad_alloc when memory runs out.
void DropUnnamedVertices(IndexedScene& scene, const VertexUse& use);

}  // namespace orvandel
