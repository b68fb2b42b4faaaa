#include "geometry/vector_math.h"

namespace orvandel {

// Out of line on purpose: inlined into a caller that rotates several vectors, the compiler
// keeps all their components live at once and spills them as 80-bit values, which makes
// rotating a scene four times slower.
Vector3 MatMulVec(const Vector3& v, const Matrix3& m) {
  using L = long double;
  return {static_cast<float>(L{m.m[0]} * v.x + L{m.m[1]} * v.y + L{m.m[2]} * v.z),
          static_cast<float>(L{m.m[3]} * v.x + L{m.m[4]} * v.y + L{m.m[5]} * v.z),
          static_cast<float>(L{m.m[6]} * v.x + L{m.m[7]} * v.y + L{m.m[8]} * v.z)};
}

}  // namespace orvandel
