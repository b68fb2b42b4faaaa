#include "scene_file.h"

#include <bit>

namespace orvandel::test {

void PutI32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int k = 0; k < 4; ++k)
    out += static_cast<char>(bits >> (8 * k) & 0xFF);
}

void PutF32(std::string& out, float value) {
  PutI32(out, std::bit_cast<std::int32_t>(value));
}

std::string SceneFileBytes(const std::vector<Vector3>& vertices,
                           const std::vector<TriangleRecord>& triangles) {
  std::string bytes("\x03\x33\x44", 3);
  PutI32(bytes, static_cast<std::int32_t>(vertices.size()));
  for (const Vector3& v : vertices) {
    PutF32(bytes, v.x);
    PutF32(bytes, v.y);
    PutF32(bytes, v.z);
  }
  PutI32(bytes, static_cast<std::int32_t>(triangles.size()));
  for (const TriangleRecord& t : triangles) {
    for (const std::int32_t value : t)
      PutI32(bytes, value);
  }
  return bytes;
}

}  // namespace orvandel::test
