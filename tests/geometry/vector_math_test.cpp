#include <gtest/gtest.h>

#include <bit>

#include "geometry/vector_math.h"

namespace orvandel {
namespace {

void ExpectVector(const Vector3& v, float x, float y, float z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}

TEST(VectorMathTest, FaceNormalFollowsTheCornerOrder) {
  ExpectVector(FaceNormal({1, 0, 0}, {0, 0, 0}, {0, 1, 0}), 0, 0, 1);
  ExpectVector(FaceNormal({0, 1, 0}, {0, 0, 0}, {1, 0, 0}), 0, 0, -1);
  EXPECT_EQ(VecLength(FaceNormal({2, 0, 0}, {0, 0, 0}, {0, 3, 0})), 6.0f);  // twice the area
}

TEST(VectorMathTest, NegCentroidScalesTheFloatSumByTheFloatNearestMinusOneThird) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(kMinusOneThird), 0xBEAAAAABu);
  const Vector3 n = NegCentroid({0.1f, 1, 3}, {0.2f, 1, 3}, {0.3f, 1, 3});
  ExpectVector(n, ((0.1f + 0.2f) + 0.3f) * kMinusOneThird, 3 * kMinusOneThird, -3.0f);
  ExpectVector(FaceToPoint({0.1f, 1, 3}, {0.2f, 1, 3}, {0.3f, 1, 3}, {0, 5, 1}), n.x, 5 + n.y, -2);
}

TEST(VectorMathTest, DotProductIsRoundedOnce) {
  // The 2^-46 survives only when the sum is rounded once, not after every step.
  EXPECT_EQ(VecDot({1 + 0x1p-23f, 1, 1}, {1 + 0x1p-23f, -1, 0}), 0x1p-22f + 0x1p-46f);
}

}  // namespace
}  // namespace orvandel
