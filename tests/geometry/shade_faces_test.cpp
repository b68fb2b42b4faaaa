// The shading takes its floats through double wherever that gives the same float as the
// long double definition, four faces at a time. These tests hold every colour, and every
// step that can be seen on its own, against the definition itself, written out below in
// long double as it stands, over faces of every size, hues of every kind and values that
// lie exactly halfway between two floats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "geometry/hsv.h"
#include "geometry/shading.h"
#include "geometry/vector_math.h"
#include "orvandel/geometry/colour.h"

namespace orvandel {
namespace {

using L = long double;

// --- the definition, in long double ------------------------------------------------------

float DefinedCosine(const Vector3& a, const Vector3& b) {
  const L lengths = static_cast<L>(VecLength(a)) * VecLength(b);
  if (lengths <= 1e-9L) return 1.0f;
  return static_cast<float>(VecDot(a, b) / lengths);
}

RgbValues DefinedHsv(float H, float S, float V) {
  if (std::fabs(S) < 1e-9L) return {V, V, V};
  if (!std::isfinite(H)) H = 0;
  if (H < 0 || H > 360)
    H = std::fmod(H, 360.0f) < 0 ? std::fmod(H, 360.0f) + 360 : std::fmod(H, 360.0f);
  if (std::fabs(L{H} - 360) < 1e-9L) H = 0;
  const float h = static_cast<float>(H * (1.0L / 60));
  const int i = static_cast<int>(h);
  const float f = h - static_cast<float>(i);
  const float p = static_cast<float>((1 - L{S}) * V);
  const float q = static_cast<float>((1 - L{S} * f) * V);
  const float t = static_cast<float>((1 - (1 - L{f}) * S) * V);
  const RgbValues sectors[6] = {{V, t, p}, {q, V, p}, {p, V, t}, {p, q, V}, {t, p, V}, {V, p, q}};
  return sectors[i >= 0 && i < 5 ? i : 5];
}

int DefinedChannel(float value) {
  const L scaled = std::rint(L{value} * 255);
  return std::fabs(scaled) < std::numeric_limits<int>::max() ? static_cast<int>(scaled) : 0;
}

float DefinedSpecularCosine(const Vector3& a, const Vector3& b, const Vector3& c,
                            const Vector3& d) {
  const Vector3 normal = FaceNormal(a, b, c), to_light = FaceToPoint(a, b, c, d);
  const Vector3 reflection = VecSub(VecScale(normal, 2 * VecDot(normal, to_light)), to_light);
  return DefinedCosine(NegCentroid(a, b, c), reflection);
}

PackedColour DefinedShade(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d,
                          float hue, const Lighting& lighting) {
  float cd = DefinedCosine(FaceNormal(a, b, c), FaceToPoint(a, b, c, d));
  if (!(cd >= 0)) cd = 0;
  const float h = DefinedSpecularCosine(a, b, c, d);
  const float sp = h > 0 ? static_cast<float>(RealPower(h, lighting.exponent)) : 0.0f;
  const float intensity =
      static_cast<float>(L{lighting.diffuse} * cd + lighting.ambient + L{lighting.specular} * sp);
  const RgbValues rgb =
      DefinedHsv(hue, hue == static_cast<float>(kNoHue) ? 0.0f : intensity, intensity);
  return PackRGB(DefinedChannel(rgb.R), DefinedChannel(rgb.G), DefinedChannel(rgb.B));
}

// --- faces to try ---------------------------------------------------------------------------

constexpr Lighting kPainter{0.2f, 0.4f, 0.4f, 0.5f};

class Numbers {
 public:
  float Between(float low, float high) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return low + (high - low) * static_cast<float>(static_cast<double>(state_ >> 11) / 0x1p53);
  }
  Vector3 Near(const Vector3& centre, float reach) {
    return {centre.x + Between(-reach, reach), centre.y + Between(-reach, reach),
            centre.z + Between(-reach, reach)};
  }

 private:
  std::uint64_t state_ = 77;
};

// Faces of all sizes, from a thousandth of a terrain cell to wide hand-made ones, far out
// and at the origin, seen from the painter's suns and from odd places.
std::vector<FaceToShade> AllSortsOfFaces(int count) {
  constexpr float kHues[] = {216, 120, 24, 32767, 0, 60, 359.5f, 360, -30, 725, 1e9f};
  Numbers numbers;
  std::vector<FaceToShade> faces;
  for (int k = 0; k < count; ++k) {
    const float size = std::pow(10.0f, numbers.Between(-6, 3));
    const float distance = std::pow(10.0f, numbers.Between(-3, 4));
    const Vector3 centre = numbers.Near({0, 0, 0}, distance);
    faces.push_back({numbers.Near(centre, size), numbers.Near(centre, size),
                     numbers.Near(centre, size), kHues[k % std::size(kHues)]});
  }
  return faces;
}

// Corners and lights made of numbers whose products land exactly halfway between two
// floats (4097 * 4097 = 2^24 + 2^13 + 1 needs 25 bits) or, with a tiny term added, just
// beside such a point.
std::vector<FaceToShade> FacesNearHalfway(int count, Numbers& numbers) {
  constexpr float kPool[] = {0,     1,    -1,       4097,      -4097,    4099,        2049,
                             -8191, 0.5f, 0x1p-16f, -0x1p-18f, 0x1p-20f, 3 * 0x1p-19f};
  const auto pick = [&] {
    return kPool[static_cast<std::size_t>(numbers.Between(0, std::size(kPool) - 0.01f))];
  };
  std::vector<FaceToShade> faces;
  for (int k = 0; k < count; ++k) {
    const Vector3 b{pick(), pick(), pick()};
    faces.push_back({{b.x + pick(), b.y, b.z + pick()},
                     b,
                     {b.x, b.y + pick(), b.z + pick()},
                     k % 3 == 0 ? kNoHue : 24.0f + 96 * static_cast<float>(k % 3)});
  }
  return faces;
}

std::vector<PackedColour> Shaded(const std::vector<FaceToShade>& faces, const Vector3& light,
                                 const Lighting& lighting) {
  std::vector<PackedColour> colours(faces.size());
  ShadeFaces(faces, light, lighting, colours.data());
  return colours;
}

void ExpectDefinedColours(const std::vector<FaceToShade>& faces, const Vector3& light,
                          const Lighting& lighting) {
  const std::vector<PackedColour> colours = Shaded(faces, light, lighting);
  int wrong = 0;
  for (std::size_t k = 0; k < faces.size() && wrong < 5; ++k) {
    const FaceToShade& f = faces[k];
    const PackedColour defined = DefinedShade(f.a, f.b, f.c, light, f.hue, lighting);
    if (colours[k] == defined) continue;
    ++wrong;
    ADD_FAILURE() << "face " << k << ": " << std::hex << colours[k] << " instead of " << defined;
  }
}

// --- tests --------------------------------------------------------------------------------

// Faces of every size and place, faces on one point, on one line, around the light, at
// the observer and beyond the floats' range, and faces of numbers whose products land on
// or just beside points halfway between two floats: lit from the painter's suns and odd
// places, with the painter's shares and others.
TEST(ShadeFacesTest, EveryColourIsTheDefinedOne) {
  Numbers numbers;
  std::vector<FaceToShade> faces = AllSortsOfFaces(40000);
  const std::vector<FaceToShade> halfway = FacesNearHalfway(20000, numbers);
  faces.insert(faces.end(), halfway.begin(), halfway.end());
  const Vector3 p{1, 2, 3};
  faces.insert(faces.end(), {{p, p, p, 120},
                             {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, 216},
                             {{-1, 0, 10}, {1, 0, 10}, {0, 1, 10}, 24},
                             {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, kNoHue},
                             {{3e38f, 0, 0}, {0, 3e38f, 0}, {0, 0, 3e38f}, 60},
                             {{1e-30f, 0, 0}, {0, 1e-30f, 0}, {0, 0, 1e-30f}, 300}});
  for (const Vector3& light : {Vector3{0, 3.420201f, 9.396926f}, Vector3{0, 0, 10},
                               Vector3{1, 0x1p-18f, 0x1p-16f}, Vector3{4099, -2049, 10}}) {
    ExpectDefinedColours(faces, light, kPainter);
  }
  ExpectDefinedColours(faces, {-7, 2, 0.5f}, {0.1f, 0.6f, 0.3f, 2});
}

TEST(ShadeFacesTest, AnyNumberOfFacesGivesTheColoursOfOneAtATime) {
  const std::vector<FaceToShade> all = AllSortsOfFaces(71);
  for (std::size_t count = 0; count <= all.size(); ++count) {
    const std::vector<FaceToShade> faces(all.begin(), all.begin() + count);
    const std::vector<PackedColour> colours = Shaded(faces, {0, 3, 9}, kPainter);
    for (std::size_t k = 0; k < count; ++k) {
      const FaceToShade& f = faces[k];
      EXPECT_EQ(colours[k], ShadeFace(f.a, f.b, f.c, {0, 3, 9}, f.hue, 0.2f, 0.4f, 0.4f, 0.5f))
          << count << " faces, face " << k;
    }
  }
}

TEST(ShadeFacesTest, SpecularCosineAndReflectionAreTheDefinedOnes) {
  Numbers numbers;
  const Vector3 light{-2, 4, 7};
  for (const FaceToShade& f : FacesNearHalfway(3000, numbers)) {
    EXPECT_EQ(SpecularCosine(f.a, f.b, f.c, light), DefinedSpecularCosine(f.a, f.b, f.c, light));
    const Vector3 normal = FaceNormal(f.a, f.b, f.c), to_light = FaceToPoint(f.a, f.b, f.c, light);
    const Vector3 defined = VecSub(VecScale(normal, 2 * VecDot(normal, to_light)), to_light);
    const Vector3 reflection = ReflectAtFace(f.a, f.b, f.c, light);
    EXPECT_TRUE(reflection.x == defined.x && reflection.y == defined.y &&
                reflection.z == defined.z);
  }
}

// Random conversions, and saturations and values of 25-bit products that land on points
// halfway between two floats, where the long double rounding decides.
TEST(HsvToRgbTest, EveryConversionIsTheDefinedOne) {
  Numbers numbers;
  const auto expect_defined = [](float hue, float saturation, float value) {
    const RgbValues got = HsvToRgb(hue, saturation, value);
    const RgbValues defined = DefinedHsv(hue, saturation, value);
    ASSERT_TRUE(got.R == defined.R && got.G == defined.G && got.B == defined.B)
        << hue << " " << saturation << " " << value;
  };
  for (int k = 0; k < 50000; ++k) {
    const float hue = k % 7 == 0 ? 360 - numbers.Between(0, 1e-4f) : numbers.Between(-800, 800);
    const float saturation = k % 5 == 0 ? numbers.Between(0, 3e-9f) : numbers.Between(0, 1.2f);
    expect_defined(hue, saturation, numbers.Between(0, 1.2f));
  }
  for (int j = 1; j < 200; j += 2) {
    for (int k = 1; k < 200; k += 2) {
      const float value = std::ldexp(4096.0f + k, -12);
      const float saturation = 1 - std::ldexp(4096.0f + j, -24);
      expect_defined(numbers.Between(0, 360), saturation, value);
      const auto sector = static_cast<float>((j + k / 2) % 6);  // all six: j and k are odd
      expect_defined(sector * 60, saturation, value);           // f = 0, t = p
      expect_defined(sector * 60 + 30, saturation, 0.5f);       // f = 1/2
    }
  }
}

}  // namespace
}  // namespace orvandel
