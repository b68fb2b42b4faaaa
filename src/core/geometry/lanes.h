#pragma once

// Arithmetic on four faces at once: each value holds one number per face in four lanes,
// and every operation works on all lanes alike, each lane exactly as the same operation
// on one number would.
//
// The shading's results are defined as long double expressions rounded once to a float.
// The same expression in double lands within a known distance of the long double value.
// When everything within that distance rounds to one float, the long double value does
// too, and that float is the defined result; in the rare lanes where it does not, the
// long double expression is evaluated after all. Every result here is therefore exactly
// the float its long double definition gives.

#include <emmintrin.h>
#include <bit>
#include <cstdint>
#include <cstring>

#include "geometry/shading.h"
#include "orvandel/geometry/vector3.h"

namespace orvandel::lanes {

inline constexpr int kLanes = 4;

using Floats = float __attribute__((vector_size(16)));
using Doubles = double __attribute__((vector_size(32)));
using Ints = std::int32_t __attribute__((vector_size(16)));   // also masks of Floats
using Longs = std::int64_t __attribute__((vector_size(32)));  // also masks of Doubles

// Four vectors, one per lane.
struct Vectors {
  Floats x, y, z;
};

inline Floats Broadcast(float value) {
  return Floats{} + value;
}
inline Vectors Broadcast(const Vector3& v) {
  return {Broadcast(v.x), Broadcast(v.y), Broadcast(v.z)};
}

inline Doubles Wide(Floats value) {
  return __builtin_convertvector(value, Doubles);
}
// Each lane rounded to the nearest float, as a single conversion would round it.
inline Floats Narrow(Doubles value) {
  return __builtin_convertvector(value, Floats);
}
inline Ints NarrowMask(Longs mask) {
  return __builtin_convertvector(mask, Ints);
}

inline Doubles Abs(Doubles value) {
  return std::bit_cast<Doubles>(std::bit_cast<Longs>(value) & INT64_MAX);
}
inline Floats Abs(Floats value) {
  return std::bit_cast<Floats>(std::bit_cast<Ints>(value) & INT32_MAX);
}

// The correctly rounded square roots, as std::sqrt gives them one at a time.
inline Floats Sqrt(Floats value) {
  return std::bit_cast<Floats>(_mm_sqrt_ps(std::bit_cast<__m128>(value)));
}
inline Doubles Sqrt(Doubles value) {
  __m128d halves[2];
  std::memcpy(halves, &value, sizeof value);
  halves[0] = _mm_sqrt_pd(halves[0]);
  halves[1] = _mm_sqrt_pd(halves[1]);
  Doubles root;
  std::memcpy(&root, halves, sizeof root);
  return root;
}

inline bool AnyLane(Ints mask) {
  std::uint64_t halves[2];
  std::memcpy(halves, &mask, sizeof mask);
  return (halves[0] | halves[1]) != 0;
}

// The error allowed for an expression of one or two rounded operations: this share of the
// sum of its terms' magnitudes. Together the double and the long double evaluation err by
// less than 2^-51 of that sum; the rest is room for the rounding of value +- error below.
inline constexpr double kRoundingSlack = 0x1p-48;

// The largest double not above 1e-9L, the threshold below which lengths and saturations
// count as zero: a double is at most 1e-9L, or below it (1e-9L is no double), exactly when
// it is at most this.
inline constexpr double kNearZero = 0x1.12e0be826d694p-30;
static_assert(kNearZero <= 1e-9L && kNearZero + 0x1p-82L > 1e-9L);

// In each lane, the float that exact(lane), a long double expression, rounds to, given
// value, the same expression in double, within error of it. Where both ends of that range
// round to the same float (down to the sign of a zero), everything between does, since
// rounding only ever moves towards the nearest float: that float is the result. Elsewhere,
// or where value is not a number, exact(lane) is evaluated.
template <typename Exact>
Floats RoundedAs(Doubles value, Doubles error, Exact exact) {
  const Floats low = Narrow(value - error);
  Floats result = low;
  const Ints apart =
      (std::bit_cast<Ints>(low) != std::bit_cast<Ints>(Narrow(value + error))) | (low != low);
  if (!AnyLane(apart)) return result;
  for (int lane = 0; lane < kLanes; ++lane) {
    if (apart[lane]) result[lane] = static_cast<float>(exact(lane));
  }
  return result;
}

// The floats of the long double sums (a + b) + c, where a, b and c are exact doubles
// (floats, or products of two floats).
inline Floats RoundedSum(Doubles a, Doubles b, Doubles c) {
  return RoundedAs((a + b) + c, kRoundingSlack * (Abs(a) + Abs(b) + Abs(c)),
                   [&](int lane) { return static_cast<long double>(a[lane]) + b[lane] + c[lane]; });
}

// The floats of the long double differences a - b of exact doubles.
inline Floats RoundedDifference(Doubles a, Doubles b) {
  return RoundedAs(a - b, kRoundingSlack * (Abs(a) + Abs(b)),
                   [&](int lane) { return static_cast<long double>(a[lane]) - b[lane]; });
}

// The floats of the long double quotients a / b of exact doubles.
inline Floats RoundedQuotient(Doubles a, Doubles b) {
  const Doubles value = a / b;
  return RoundedAs(value, kRoundingSlack * Abs(value),
                   [&](int lane) { return static_cast<long double>(a[lane]) / b[lane]; });
}

// VecDot of each lane's vectors: the long double sum of the products, rounded once.
inline Floats Dot(const Vectors& u, const Vectors& v) {
  return RoundedSum(Wide(u.x) * Wide(v.x), Wide(u.y) * Wide(v.y), Wide(u.z) * Wide(v.z));
}

// The floats of RealPower(h, exponent) where h is greater than 0, and 0 elsewhere. The
// painter's square root goes through double, rounded to 40 bits there, except where it
// lies within two units of its last place of a point halfway between two 40-bit numbers,
// where it and the long double root might round apart.
inline Floats Powers(Floats h, float exponent) {
  constexpr std::int64_t kBelow40Bits = 0x1FFF;  // the 13 bits a double holds beyond 40
  constexpr std::int64_t kHalfway = 0x1000;
  const Ints positive = h > 0;
  const Longs bits = std::bit_cast<Longs>(Sqrt(Wide(positive ? h : 1.0f)));
  const Longs below = bits & kBelow40Bits;
  const Ints near_halfway = NarrowMask((below >= kHalfway - 2) & (below <= kHalfway + 2));
  Floats power = Narrow(std::bit_cast<Doubles>((bits + kHalfway) & ~kBelow40Bits));
  for (int lane = 0; lane < kLanes; ++lane) {
    if (positive[lane] && (near_halfway[lane] || exponent != 0.5f)) {
      power[lane] = static_cast<float>(RealPower(h[lane], exponent));
    }
  }
  return positive ? power : 0.0f;
}

// rint in the default rounding mode: adding and taking away 2^52 leaves no fraction and
// rounds halves to even; larger values are whole numbers already.
inline Doubles RoundToInteger(Doubles value) {
  const Doubles magnitude = Abs(value);
  const Doubles whole = (magnitude + 0x1p52) - 0x1p52;
  const Longs sign = std::bit_cast<Longs>(value) & INT64_MIN;
  const Doubles signed_whole = std::bit_cast<Doubles>(std::bit_cast<Longs>(whole) | sign);
  return magnitude < 0x1p52 ? signed_whole : value;
}

}  // namespace orvandel::lanes
