#include <gtest/gtest.h>

#include <string>

#include "orvandel/writers/number_text.h"

namespace orvandel {
namespace {

std::string Fixed(long double value) {
  char text[kMaxNumberText];
  return std::string(text, FormatFixed4(text, value));
}

std::string Integer(std::int64_t value) {
  char text[kMaxNumberText];
  return std::string(text, FormatInteger(text, value));
}

std::string Float(float value) {
  char text[kMaxNumberText];
  return std::string(text, FormatFloat(text, value));
}

TEST(NumberTextTest, FloatsAsShortAsReadsBackWithoutExponent) {
  EXPECT_EQ(Float(0.1f), "0.1");
  EXPECT_EQ(Float(4779.958f), "4779.958");
  EXPECT_EQ(Float(-1.5e-7f), "-0.00000015");
  // Whole numbers take as many characters either way, and then the exact value.
  EXPECT_EQ(Float(1e20f), "100000002004087734272");
  EXPECT_EQ(Float(-std::numeric_limits<float>::max()), "-340282346638528859811704183484516925440");
  EXPECT_EQ(Float(std::numeric_limits<float>::denorm_min()).size(), 47u);  // 0.000...1
}

TEST(NumberTextTest, FourDecimalsWithHalvesAwayFromZero) {
  EXPECT_EQ(Fixed(0.03125L), "0.0313");
  EXPECT_EQ(Fixed(-0.03125L), "-0.0313");
  EXPECT_EQ(Fixed(0.5L), "0.5000");
  EXPECT_EQ(Fixed(-0.9375L), "-0.9375");
  EXPECT_EQ(Fixed(3.0L * 0.1f), "0.3000");
  EXPECT_EQ(Fixed(12345.67891L), "12345.6789");
  EXPECT_EQ(Fixed(0.99996L), "1.0000");
}

TEST(NumberTextTest, SignOfZero) {
  EXPECT_EQ(Fixed(0.0L), "0.0000");
  EXPECT_EQ(Fixed(-0.0L), "0.0000");
  EXPECT_EQ(Fixed(-0.00004L), "-0.0000");
}

TEST(NumberTextTest, LargeAndNonFiniteValues) {
  EXPECT_EQ(Fixed(3.0L * 3.0e38f), "900000001649326727333411982843435810816.0000");
  EXPECT_EQ(Fixed(1e15L), "1000000000000000.0000");
  EXPECT_EQ(Fixed(std::numeric_limits<long double>::infinity()), "+Inf");
  EXPECT_EQ(Fixed(-std::numeric_limits<long double>::infinity()), "-Inf");
}

TEST(NumberTextTest, Integers) {
  EXPECT_EQ(Integer(0), "0");
  EXPECT_EQ(Integer(-2500), "-2500");
  EXPECT_EQ(Integer(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

}  // namespace
}  // namespace orvandel
