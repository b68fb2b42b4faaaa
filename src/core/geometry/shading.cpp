#include "orvandel/geometry/shading.h"

#include <cmath>
#include <limits>

#include "orvandel/geometry/hsv.h"
#include "orvandel/geometry/vector_math.h"

namespace orvandel {
namespace {

// VecDot(a, b) / (|a| |b|), or 1.0 when the product of the lengths is at most 1e-9: a
// degenerate face, or a point at the face's centre, counts as facing it.
float CosineBetween(const Vector3& a, const Vector3& b) {
  const long double lengths = static_cast<long double>(VecLength(a)) * VecLength(b);
  if (lengths <= 1e-9L) return 1.0f;
  return static_cast<float>(VecDot(a, b) / lengths);
}

// value * 255 to the nearest integer, halves to the even one (rint in the default
// rounding mode). Out-of-range values stay defined: PackRGB keeps the low 8 bits, as it
// does for any channel above 255.
int Channel(float value) {
  const long double scaled = std::rint(static_cast<long double>(value) * 255);
  if (!(std::fabs(scaled) < std::numeric_limits<int>::max())) return 0;
  // Through double, which holds the whole number exactly, for a cheap conversion.
  return static_cast<int>(static_cast<double>(scaled));
}

// Veltkamp's splitting: with c = value (2^24 + 1), c - (c - value) is value rounded to
// 64 - 24 = 40 significant bits, halves to even. Library calls to split and rebuild the
// value would cost more than the rest of the shading. Values too large for the product
// (far beyond any power the painter takes) are left as they are.
long double RoundTo40Bits(long double value) {
  static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended format needed");
  if (!(std::fabs(value) < 0x1p16000L)) return value;
  const long double c = value * (0x1p24L + 1);
  return c - (c - value);
}

// The vectors that shading a face A, B, C lit from D needs, each formed once although the
// diffuse and the specular term both use them.
struct FaceVectors {
  FaceVectors(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d)
      : normal(FaceNormal(a, b, c)),
        to_observer(NegCentroid(a, b, c)),
        to_light(VecAdd(to_observer, d)) {}  // FaceToPoint(A, B, C, D)

  // 2 (N . L) N - L.
  Vector3 Reflection() const {
    const float t = 2 * VecDot(normal, to_light);
    return VecSub(VecScale(normal, t), to_light);
  }
  float SpecularCosine() const { return CosineBetween(to_observer, Reflection()); }

  Vector3 normal;
  Vector3 to_observer;
  Vector3 to_light;
};

}  // namespace

Vector3 ReflectAtFace(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  return FaceVectors(a, b, c, d).Reflection();
}

float SpecularCosine(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  return FaceVectors(a, b, c, d).SpecularCosine();
}

long double RealPower(long double base, long double exponent) {
  // exp(0.5 ln b), the painter's power, is the square root, taken directly: correctly
  // rounded where the logarithm and the exponential are not, and far faster.
  const long double power =
      exponent == 0.5L ? std::sqrt(base) : std::exp(exponent * std::log(base));
  return RoundTo40Bits(power);
}

PackedColour ShadeFace(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d,
                       float hue, float ambient, float diffuse, float specular, float exponent) {
  const FaceVectors face(a, b, c, d);
  float cd = CosineBetween(face.normal, face.to_light);
  if (!(cd >= 0)) cd = 0;
  const float h = face.SpecularCosine();
  const float sp = h > 0 ? static_cast<float>(RealPower(h, exponent)) : 0.0f;
  const float intensity = static_cast<float>(static_cast<long double>(diffuse) * cd + ambient +
                                             static_cast<long double>(specular) * sp);
  const float saturation = hue == static_cast<float>(kNoHue) ? 0.0f : intensity;
  const RgbValues rgb = HsvToRgb(hue, saturation, intensity);
  return PackRGB(Channel(rgb.R), Channel(rgb.G), Channel(rgb.B));
}

}  // namespace orvandel
