#pragma once

#include <cmath>

#include "orvandel/geometry/vector3.h"

namespace orvandel {

// Vector arithmetic on 32-bit floats. Each result component is formed at higher precision
// (long double) and rounded once to a float, so that pictures come out the same bit for
// bit wherever they are made. Results are returned, so a result may replace one of its
// own arguments. None of these fails or allocates.

inline float VecDot(const Vector3& a, const Vector3& b) {
  return static_cast<float>(static_cast<long double>(a.x) * b.x +
                            static_cast<long double>(a.y) * b.y +
                            static_cast<long double>(a.z) * b.z);
}

// The square root of VecDot(a, a), the dot product rounded to a float first. (A float
// square root is correctly rounded, as the long double one rounded to a float would be.)
inline float VecLength(const Vector3& a) {
  return std::sqrt(VecDot(a, a));
}

inline Vector3 VecCross(const Vector3& a, const Vector3& b) {
  using L = long double;
  return {static_cast<float>(L{a.y} * b.z - L{a.z} * b.y),
          static_cast<float>(L{a.z} * b.x - L{a.x} * b.z),
          static_cast<float>(L{a.x} * b.y - L{a.y} * b.x)};
}

inline Vector3 VecAdd(const Vector3& a, const Vector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vector3 VecSub(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline Vector3 VecScale(const Vector3& a, float s) {
  return {s * a.x, s * a.y, s * a.z};
}

// m times the column vector v.
Vector3 MatMulVec(const Vector3& v, const Matrix3& m);

// (A - B) x (C - B): not normalised, its length is twice the triangle's area. Its sign
// follows the corner order.
inline Vector3 FaceNormal(const Vector3& a, const Vector3& b, const Vector3& c) {
  return VecCross(VecSub(a, b), VecSub(c, b));
}

// The float nearest to -1/3 (bits 0xBEAAAAAB).
inline constexpr float kMinusOneThird = -0.3333333432674408f;

// -(A + B + C) / 3, the sum formed as (A + B) + C in floats: the vector from the face's
// centre to the origin.
inline Vector3 NegCentroid(const Vector3& a, const Vector3& b, const Vector3& c) {
  return VecScale(VecAdd(VecAdd(a, b), c), kMinusOneThird);
}

// The vector from the centre of the face A, B, C to the point D.
inline Vector3 FaceToPoint(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  return VecAdd(NegCentroid(a, b, c), d);
}

}  // namespace orvandel
