#include "geometry/shading.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/hsv_lanes.h"
#include "geometry/lanes.h"
#include "geometry/vector_math.h"

namespace orvandel {
namespace {

using lanes::Abs;
using lanes::Doubles;
using lanes::Floats;
using lanes::Ints;
using lanes::kLanes;
using lanes::Longs;
using lanes::Vectors;
using lanes::Wide;

Vectors operator+(const Vectors& u, const Vectors& v) {
  return {u.x + v.x, u.y + v.y, u.z + v.z};
}
Vectors operator-(const Vectors& u, const Vectors& v) {
  return {u.x - v.x, u.y - v.y, u.z - v.z};
}
Vectors operator*(const Vectors& u, Floats s) {
  return {s * u.x, s * u.y, s * u.z};
}

// VecCross in each lane.
Vectors Cross(const Vectors& u, const Vectors& v) {
  return {lanes::RoundedDifference(Wide(u.y) * Wide(v.z), Wide(u.z) * Wide(v.y)),
          lanes::RoundedDifference(Wide(u.z) * Wide(v.x), Wide(u.x) * Wide(v.z)),
          lanes::RoundedDifference(Wide(u.x) * Wide(v.y), Wide(u.y) * Wide(v.x))};
}

// dot / (|u| |v|), dot being VecDot(u, v), or 1.0 where the product of the lengths is at
// most 1e-9: a degenerate face, or a point at the face's centre, counts as facing it. The
// product of two float lengths is exact in double as in long double.
Floats CosineBetween(const Vectors& u, const Vectors& v, Floats dot) {
  const Doubles lengths = Wide(lanes::Sqrt(lanes::Dot(u, u))) * Wide(lanes::Sqrt(lanes::Dot(v, v)));
  const Longs near_zero = lengths <= lanes::kNearZero;
  const Floats cosine = lanes::RoundedQuotient(Wide(dot), near_zero ? 1.0 : lengths);
  return lanes::NarrowMask(near_zero) ? 1.0f : cosine;
}

// What shading a face A, B, C lit from D needs, each formed once although the diffuse and
// the specular term both use it, for four faces.
struct FaceVectors {
  FaceVectors() = default;
  FaceVectors(const Vectors& a, const Vectors& b, const Vectors& c, const Vectors& d)
      : normal(Cross(a - b, c - b)),                                    // FaceNormal
        to_observer(((a + b) + c) * lanes::Broadcast(kMinusOneThird)),  // NegCentroid
        to_light(to_observer + d),                                      // FaceToPoint
        normal_dot_light(lanes::Dot(normal, to_light)) {}

  // 2 (N . L) N - L.
  Vectors Reflection() const { return normal * (2 * normal_dot_light) - to_light; }
  Floats DiffuseCosine() const { return CosineBetween(normal, to_light, normal_dot_light); }
  Floats SpecularCosine() const {
    const Vectors reflection = Reflection();
    return CosineBetween(to_observer, reflection, lanes::Dot(to_observer, reflection));
  }

  Vectors normal;
  Vectors to_observer;
  Vectors to_light;
  Floats normal_dot_light;
};

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

// value * 255 to the nearest integer, halves to the even one, in each lane; 0 for values
// out of the integers' range or not numbers. The product is exact in double.
Ints Channels(Floats value) {
  const Doubles scaled = lanes::RoundToInteger(Wide(value) * 255);
  const Longs in_range = Abs(scaled) < std::numeric_limits<int>::max();
  return __builtin_convertvector(in_range ? scaled : 0.0, Ints);
}

// The colours of four faces lit with the diffuse cosines cd and the specular cosines h:
// PackRGB of their channels.
Ints FaceColours(Floats cd, Floats h, Floats hue, const Lighting& lighting) {
  cd = cd >= 0 ? cd : 0.0f;  // also where cd is not a number
  const Floats sp = lanes::Powers(h, lighting.exponent);
  const Floats intensity = lanes::RoundedSum(Wide(lanes::Broadcast(lighting.diffuse)) * Wide(cd),
                                             Wide(lanes::Broadcast(lighting.ambient)),
                                             Wide(lanes::Broadcast(lighting.specular)) * Wide(sp));
  const Floats saturation = hue == static_cast<float>(kNoHue) ? 0.0f : intensity;
  const lanes::Rgb rgb = lanes::HsvToRgb(hue, saturation, intensity);
  return (Channels(rgb.B) & 0xFF) << 16 | (Channels(rgb.G) & 0xFF) << 8 | (Channels(rgb.R) & 0xFF);
}

// Faces are shaded a stage at a time over kGroups groups of four, each stage's loop short
// enough that the processor works on many faces at once instead of waiting out one long
// chain of dependent steps per face.
constexpr std::size_t kGroups = 8;

// Four faces in lanes; a face missing from the end repeats the last one.
struct FaceGroup {
  Vectors a, b, c;
  Floats hue;
};

FaceGroup Group(std::span<const FaceToShade> faces, std::size_t first) {
  FaceGroup group;
  for (int lane = 0; lane < kLanes; ++lane) {
    const FaceToShade& face = faces[std::min(first + lane, faces.size() - 1)];
    group.a.x[lane] = face.a.x, group.a.y[lane] = face.a.y, group.a.z[lane] = face.a.z;
    group.b.x[lane] = face.b.x, group.b.y[lane] = face.b.y, group.b.z[lane] = face.b.z;
    group.c.x[lane] = face.c.x, group.c.y[lane] = face.c.y, group.c.z[lane] = face.c.z;
    group.hue[lane] = face.hue;
  }
  return group;
}

// Up to kGroups * kLanes faces.
void ShadeBatch(std::span<const FaceToShade> faces, const Vector3& d, const Lighting& lighting,
                PackedColour* colours) {
  const std::size_t groups = (faces.size() + kLanes - 1) / kLanes;
  const Vectors light = lanes::Broadcast(d);
  FaceGroup group[kGroups];
  FaceVectors vectors[kGroups];
  Floats cd[kGroups], h[kGroups];
  for (std::size_t g = 0; g < groups; ++g)
    group[g] = Group(faces, g * kLanes);
  for (std::size_t g = 0; g < groups; ++g)
    vectors[g] = FaceVectors(group[g].a, group[g].b, group[g].c, light);
  for (std::size_t g = 0; g < groups; ++g)
    cd[g] = vectors[g].DiffuseCosine();
  for (std::size_t g = 0; g < groups; ++g)
    h[g] = vectors[g].SpecularCosine();
  for (std::size_t g = 0; g < groups; ++g) {
    const Ints colour = FaceColours(cd[g], h[g], group[g].hue, lighting);
    for (std::size_t lane = 0; lane < kLanes && g * kLanes + lane < faces.size(); ++lane)
      colours[g * kLanes + lane] = static_cast<PackedColour>(colour[lane]);
  }
}

// ShadeBatch built twice, with everything it calls: for any x86-64 processor, and for
// those with AVX2, where four doubles take one instruction instead of two. Both give the
// same colours, as every lane's arithmetic is the same whatever the width. The choice is
// made at the first call rather than by the loader, which would run it before a
// sanitizer is ready.
[[gnu::flatten]] void ShadeBatchAnywhere(std::span<const FaceToShade> faces, const Vector3& d,
                                         const Lighting& lighting, PackedColour* colours) {
  ShadeBatch(faces, d, lighting, colours);
}

[[gnu::flatten, gnu::target("avx2")]] void ShadeBatchAvx2(std::span<const FaceToShade> faces,
                                                          const Vector3& d,
                                                          const Lighting& lighting,
                                                          PackedColour* colours) {
  ShadeBatch(faces, d, lighting, colours);
}

using BatchShader = void (*)(std::span<const FaceToShade>, const Vector3&, const Lighting&,
                             PackedColour*);

BatchShader BestBatchShader() {
  static const BatchShader best =
      __builtin_cpu_supports("avx2") ? ShadeBatchAvx2 : ShadeBatchAnywhere;
  return best;
}

// The face's vectors in every lane.
FaceVectors VectorsOf(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  return FaceVectors(lanes::Broadcast(a), lanes::Broadcast(b), lanes::Broadcast(c),
                     lanes::Broadcast(d));
}

}  // namespace

Vector3 ReflectAtFace(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  const Vectors reflection = VectorsOf(a, b, c, d).Reflection();
  return {reflection.x[0], reflection.y[0], reflection.z[0]};
}

float SpecularCosine(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  return VectorsOf(a, b, c, d).SpecularCosine()[0];
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
  PackedColour colour;
  const FaceToShade face{a, b, c, hue};
  ShadeFaces({&face, 1}, d, {ambient, diffuse, specular, exponent}, &colour);
  return colour;
}

void ShadeFaces(std::span<const FaceToShade> faces, const Vector3& d, const Lighting& lighting,
                PackedColour* colours) {
  constexpr std::size_t kBatch = kGroups * kLanes;
  const BatchShader shade = BestBatchShader();
  for (std::size_t start = 0; start < faces.size(); start += kBatch) {
    const std::size_t count = std::min(kBatch, faces.size() - start);
    shade(faces.subspan(start, count), d, lighting, colours + start);
  }
}

}  // namespace orvandel
