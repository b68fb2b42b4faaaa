#pragma once

#include <cmath>

#include "geometry/lanes.h"

namespace orvandel::lanes {

struct Rgb {
  Floats R, G, B;
};

// Hand-made scene files may carry any hue; wrapping gives every one of them a colour.
inline float WrappedHue(float H) {
  if (!std::isfinite(H)) return 0;
  if (H >= 0 && H <= 360) return H;
  const float wrapped = std::fmod(H, 360.0f);
  return wrapped < 0 ? wrapped + 360.0f : wrapped;
}

inline Floats WrappedHues(Floats H) {
  const Ints outside = ~((H >= 0) & (H <= 360));  // a hue that is not a number too
  if (!AnyLane(outside)) return H;
  for (int lane = 0; lane < kLanes; ++lane)
    H[lane] = WrappedHue(H[lane]);
  return H;
}

// H / 60 with the factor the long double nearest 1/60, rounded to a float; within 1e-9 of
// 360 the hue counts as 0 (there the difference is exact in double as in long double).
inline Floats Sector(Floats H) {
  const Ints at_360 = NarrowMask(Abs(Wide(H) - 360) <= kNearZero);
  H = at_360 ? 0.0f : H;
  // The double factor differs from the long double one by less than 2^-53 of it.
  const Doubles h = Wide(H) * (1.0 / 60);
  return RoundedAs(h, kRoundingSlack * Abs(h), [&](int lane) { return H[lane] * (1.0L / 60); });
}

// HsvToRgb in each lane.
inline Rgb HsvToRgb(Floats H, Floats S, Floats V) {
  using L = long double;
  const Ints grey = NarrowMask(Wide(Abs(S)) <= kNearZero);
  const Floats h = Sector(WrappedHues(H));
  const Ints i = __builtin_convertvector(h, Ints);  // toward zero
  const Floats f = h - __builtin_convertvector(i, Floats);
  // Each in double within a few units of its last place of the long double value; the
  // errors of 1 - y reach t scaled by V, however much 1 - y cancels.
  const Doubles s = Wide(S), v = Wide(V);
  const Doubles pd = (1.0 - s) * v;
  const Doubles qd = (1.0 - s * Wide(f)) * v;
  const Doubles y = (1.0 - Wide(f)) * s;
  const Doubles td = (1.0 - y) * v;
  const Floats p =
      RoundedAs(pd, kRoundingSlack * Abs(pd), [&](int k) { return (1 - L{S[k]}) * V[k]; });
  const Floats q =
      RoundedAs(qd, kRoundingSlack * Abs(qd), [&](int k) { return (1 - L{S[k]} * f[k]) * V[k]; });
  const Floats t = RoundedAs(td, kRoundingSlack * (Abs(v) * (Abs(y) + 1) + Abs(td)),
                             [&](int k) { return (1 - (1 - L{f[k]}) * S[k]) * V[k]; });
  // The six sectors (i = 5 and anything else alike): R G B is V t p, q V p, p V t,
  // p q V, t p V, V p q.
  const Floats R = i == 1 ? q : ((i == 2) | (i == 3)) ? p : i == 4 ? t : V;
  const Floats G = i == 0 ? t : ((i == 1) | (i == 2)) ? V : i == 3 ? q : p;
  const Floats B = ((i == 0) | (i == 1)) ? p : i == 2 ? t : ((i == 3) | (i == 4)) ? V : q;
  return {grey ? V : R, grey ? V : G, grey ? V : B};
}

}  // namespace orvandel::lanes
