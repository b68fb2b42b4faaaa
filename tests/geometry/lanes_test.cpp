// The four-lane arithmetic gives, in every lane, exactly the float of the long double
// expression it stands for, most of all where double alone would round the other way:
// beside points halfway between two floats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "geometry/lanes.h"

namespace orvandel::lanes {
namespace {

using L = long double;

Doubles Four(double a, double b, double c, double d) {
  return Doubles{a, b, c, d};
}

// Points halfway between two floats, (2^24 + 1) 2^e and the like, just beside them by
// less than double can tell from them but more than long double can, and on them. In
// double the sum rounds onto the halfway point and then to the even float; in long
// double it stays beside it and rounds the other way.
std::vector<std::array<double, 3>> SumsAtAndBesideHalfway() {
  std::vector<std::array<double, 3>> sums;
  for (const int exponent : {-60, -20, 0, 30}) {
    for (const double odd : {16777217.0, 16777219.0, 33554431.0, 25165825.0}) {
      const double halfway = std::ldexp(odd, exponent);
      const int top = std::ilogb(halfway);
      for (const int below : {54, 56, 60, 62, 70}) {
        const double tiny = std::ldexp(1.0, top - below);
        sums.push_back({halfway, tiny, 0});
        sums.push_back({halfway, -tiny, 0});
        sums.push_back({-halfway, 0, tiny});
        sums.push_back({tiny, halfway, tiny});
        // Cancellation: two large terms leave the halfway point and the tiny one.
        sums.push_back({halfway * 0x1p30, tiny - halfway * 0x1p30, halfway});
      }
    }
  }
  return sums;
}

TEST(LanesTest, SumsAreTheLongDoubleOnes) {
  const auto sums = SumsAtAndBesideHalfway();
  for (const auto& s : sums) {
    // The terms in three orders, and a sum with nothing to round.
    const Floats got =
        RoundedSum(Four(s[0], s[1], s[2], 1), Four(s[1], s[0], s[1], 2), Four(s[2], s[2], s[0], 3));
    EXPECT_EQ(got[0], static_cast<float>(L{s[0]} + s[1] + s[2])) << s[0] << " " << s[1];
    EXPECT_EQ(got[1], static_cast<float>(L{s[1]} + s[0] + s[2])) << s[0] << " " << s[1];
    EXPECT_EQ(got[2], static_cast<float>(L{s[2]} + s[1] + s[0])) << s[0] << " " << s[1];
    EXPECT_EQ(got[3], 6.0f);
  }
}

TEST(LanesTest, DifferencesAreTheLongDoubleOnes) {
  for (const auto& s : SumsAtAndBesideHalfway()) {
    const Floats got = RoundedDifference(Four(s[0], s[1], -s[1], 0), Four(-s[1], s[0], s[0], 0));
    EXPECT_EQ(got[0], static_cast<float>(L{s[0]} + s[1])) << s[0] << " " << s[1];
    EXPECT_EQ(got[1], static_cast<float>(L{s[1]} - s[0]));
    EXPECT_EQ(got[2], static_cast<float>(-L{s[1]} - s[0]));
    EXPECT_EQ(std::signbit(got[3]), false);  // 0 - 0 is +0
  }
}

TEST(LanesTest, QuotientsAreTheLongDoubleOnes) {
  // a = halfway * b rounded to double: a / b lies within 2^-53 of the halfway point, on
  // either side, about half the time closer than double can tell.
  int beside = 0;
  for (int k = 1; k <= 4000; ++k) {
    const double b = 1 + k * 0x1.3p-40;
    const double halfway = 16777217.0 * std::ldexp(1.0, k % 40 - 20);
    const double a = halfway * b;
    const Floats got = RoundedQuotient(Four(a, -a, a, 1), Four(b, b, -b, 3));
    const float defined = static_cast<float>(L{a} / b);
    beside += defined != static_cast<float>(a / b);
    EXPECT_EQ(got[0], defined) << a << " / " << b;
    EXPECT_EQ(got[1], -defined);
    EXPECT_EQ(got[2], -defined);
    EXPECT_EQ(got[3], static_cast<float>(1.0L / 3));
  }
  EXPECT_GT(beside, 100);  // double alone would have got these wrong
}

TEST(LanesTest, NotANumberAndInfinityAreTheLongDoubleOnes) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const Floats got =
      RoundedSum(Four(kInf, kInf, 1e300, 0), Four(-kInf, 1, 1e300, 0), Four(0, 0, 0, 0));
  EXPECT_TRUE(std::isnan(got[0]));
  EXPECT_EQ(got[1], std::numeric_limits<float>::infinity());
  EXPECT_EQ(got[2], std::numeric_limits<float>::infinity());
  EXPECT_EQ(got[3], 0.0f);
  EXPECT_TRUE(std::isinf(RoundedQuotient(Four(1, 0, 0, 0), Four(0, 1, 1, 1))[0]));
}

TEST(LanesTest, PowersAreRealPowerRoundedToFloats) {
  // Every float from 0.25 on for a stretch, and from far smaller ones: their square roots
  // fall on all sorts of 40-bit boundaries.
  for (const float start : {0.25f, 0.999f, 1e-30f}) {
    float h = start;
    for (int k = 0; k < (1 << 16); ++k) {
      const Floats hs{h, std::nextafter(h, 2.0f), -h, 0};
      const Floats got = Powers(hs, 0.5f);
      ASSERT_EQ(got[0], static_cast<float>(RealPower(hs[0], 0.5L))) << h;
      ASSERT_EQ(got[1], static_cast<float>(RealPower(hs[1], 0.5L))) << hs[1];
      ASSERT_EQ(got[2], 0.0f);
      ASSERT_EQ(got[3], 0.0f);
      h = std::nextafter(hs[1], 2.0f);
    }
  }
  const Floats cube_roots = Powers(Floats{8, 0.3f, 1, -1}, 1.0f / 3);
  EXPECT_EQ(cube_roots[0], static_cast<float>(RealPower(8, 1.0f / 3)));
  EXPECT_EQ(cube_roots[1], static_cast<float>(RealPower(0.3f, 1.0f / 3)));
  EXPECT_EQ(cube_roots[3], 0.0f);
}

TEST(LanesTest, RoundToIntegerRoundsHalvesToEven) {
  const Doubles got = RoundToInteger(Four(2.5, -3.5, -0.4, 0x1p60 + 0x1p8));
  EXPECT_EQ(got[0], 2.0);
  EXPECT_EQ(got[1], -4.0);
  EXPECT_EQ(got[2], 0.0);
  EXPECT_TRUE(std::signbit(got[2]));
  EXPECT_EQ(got[3], 0x1p60 + 0x1p8);
  for (double x = -300; x < 300; x += 0.25) {
    EXPECT_EQ(RoundToInteger(Four(x, x, x, x))[0], std::rint(x)) << x;
  }
}

}  // namespace
}  // namespace orvandel::lanes
