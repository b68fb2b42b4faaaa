#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/hsv.h"
#include "geometry/shading.h"
#include "orvandel/geometry/colour.h"

namespace orvandel {
namespace {

// A face in the x-y plane whose normal (0, 0, 1) points at the light above it.
const Vector3 kA{1, 0, -2}, kB{0, 0, -2}, kC{0, 1, -2};
const Vector3 kLightAbove{0.3f, 0.3f, 8};

// With diffuse and specular shares of 0, the intensity is exactly the ambient share.
PackedColour ColourAtIntensity(float hue, float intensity) {
  return ShadeFace(kA, kB, kC, kLightAbove, hue, intensity, 0, 0, 0.5f);
}

TEST(PackRgbTest, KeepsTheLowEightBitsOfEachChannel) {
  EXPECT_EQ(PackRGB(255, 0, 0), 0x000000FFu);
  EXPECT_EQ(PackRGB(0, 0, 255), 0x00FF0000u);
  EXPECT_EQ(PackRGB(256, 0, 0), 0u);
}

TEST(ShadeFaceTest, ColoursOfGivenIntensities) {
  EXPECT_EQ(ColourAtIntensity(kNoHue, 1.0f), 0x00FFFFFFu);
  EXPECT_EQ(ColourAtIntensity(120, 1.0f), 0x0000FF00u);
  EXPECT_EQ(ColourAtIntensity(216, 0.2f), 0x00332D29u);     // sector 3, f = 0.6
  EXPECT_EQ(ColourAtIntensity(kNoHue, 0.5f), 0x00808080u);  // 127.5 to the even 128
}

TEST(ShadeFaceTest, DegenerateFaceIsFullyLitAndSeen) {
  const Vector3 p{1, 2, 3}, origin{0, 0, 0};
  EXPECT_EQ(ShadeFace(p, p, p, kLightAbove, kNoHue, 0, 1, 0, 0.5f), 0x00FFFFFFu);
  EXPECT_EQ(SpecularCosine(origin, origin, origin, kLightAbove), 1.0f);
}

TEST(ShadeFaceTest, FaceTurnedAwayGetsTheAmbientShareAndItsSpecularPart) {
  // Far out on the x axis, lit from above the observer: the light is reflected away.
  const Vector3 a{11, 0, 0}, b{10, 0, 0}, c{10, 1, 0}, light{0, 0, 5};
  EXPECT_LT(SpecularCosine(a, b, c, light), 0.0f);
  EXPECT_EQ(ShadeFace(c, b, a, light, kNoHue, 0.2f, 0.4f, 0.4f, 0.5f), 0x00333333u);
  EXPECT_GT(RedOf(ShadeFace(a, b, c, light, kNoHue, 0.2f, 0.4f, 0.4f, 0.5f)), 0x33);
}

PackedColour Hsv(float hue) {
  const RgbValues v = HsvToRgb(hue, 0.7f, 0.9f);
  return PackRGB(static_cast<int>(v.R * 255), static_cast<int>(v.G * 255),
                 static_cast<int>(v.B * 255));
}

TEST(HsvToRgbTest, SixSectors) {
  // Mid-sector with S = 0.7 and V = 0.9: p = 0.27 (0x44), q = t = 0.585 (0x95), V (0xE5).
  EXPECT_EQ(Hsv(30), 0x004495E5u);
  EXPECT_EQ(Hsv(90), 0x0044E595u);
  EXPECT_EQ(Hsv(150), 0x0095E544u);
  EXPECT_EQ(Hsv(210), 0x00E59544u);
  EXPECT_EQ(Hsv(270), 0x00E54495u);
  EXPECT_EQ(Hsv(330), 0x009544E5u);
}

TEST(HsvToRgbTest, HuesOutsideTheCircleAreWrapped) {
  EXPECT_EQ(Hsv(360), Hsv(0));
  EXPECT_EQ(Hsv(480), Hsv(120));
  EXPECT_EQ(Hsv(-240), Hsv(120));
  EXPECT_EQ(Hsv(-1e-6f), Hsv(0));
  EXPECT_EQ(Hsv(std::numeric_limits<float>::quiet_NaN()), Hsv(0));
  EXPECT_EQ(ColourAtIntensity(2147483647.0f, 1), ColourAtIntensity(128, 1));  // 2^31 mod 360
}

TEST(RealPowerTest, SquareRootToFortyBits) {
  EXPECT_EQ(RealPower(0.25L, 0.5L), 0.5L);
  for (const long double base : {0.3L, 0.99889L, 1e-7L}) {
    const long double power = RealPower(base, 0.5L);
    EXPECT_NEAR(static_cast<double>(power / std::sqrt(base)), 1.0, 0x1p-39);
    int exponent = 0;
    const long double top = std::ldexp(std::frexp(power, &exponent), 40);
    EXPECT_EQ(top, std::floor(top));  // nothing below the 40th significant bit
  }
  EXPECT_NEAR(static_cast<double>(RealPower(8, 1.0L / 3)), 2.0, 1e-11);
}

}  // namespace
}  // namespace orvandel
