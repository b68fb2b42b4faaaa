#pragma once

namespace orvandel {

struct Vector3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

// Nine floats in row-major order: m[0] = m11, m[1] = m12, ..., m[8] = m33.
struct Matrix3 {
  float m[9] = {};
};

}  // namespace orvandel
