#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "orvandel/geometry/vector3.h"

namespace orvandel::test {

// Three vertex numbers and a hue.
using TriangleRecord = std::array<std::int32_t, 4>;

// The bytes of a 3DF file: the header 03 33 44, the vertex count, the vertices, the
// triangle count and the triangles, little-endian.
std::string SceneFileBytes(const std::vector<Vector3>& vertices,
                           const std::vector<TriangleRecord>& triangles);

// Appends a little-endian 32-bit integer or float.
void PutI32(std::string& out, std::int32_t value);
void PutF32(std::string& out, float value);

}  // namespace orvandel::test
