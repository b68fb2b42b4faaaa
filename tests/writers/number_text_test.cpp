#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "writers/number_text.h"
#include "writers/text_piece.h"

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

// The digits of FormatFixed4 as they were first made, one at a time: the writers now make
// them two at a time, and every text must stay as it was.
std::string DigitByDigitFixed(double value) {
  if (std::isnan(value)) return "Nan";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "+Inf";
  std::string text = value < 0 ? "-" : "";
  const double scaled = std::fabs(value) * 10000.0;
  if (scaled >= 0x1p52) {
    char huge[kMaxNumberText];
    const int length = std::snprintf(huge, sizeof huge, "%.4f", std::fabs(value));
    return text + (length > 0 && length < kMaxNumberText ? huge : "+Inf");
  }
  const auto units = static_cast<std::uint64_t>(scaled + 0.5);
  text += std::to_string(units / 10000) + ".";
  std::uint64_t fraction = units % 10000;
  for (std::uint64_t divisor = 1000; divisor >= 1; divisor /= 10) {
    text += static_cast<char>('0' + fraction / divisor);
    fraction %= divisor;
  }
  return text;
}

// Floats of every kind from their bits, and what the writers make of them: the float, 3.0
// times it (RAW and ASC heights), its neighbours, and the halves at the fifth decimal.
TEST(NumberTextTest, FourDecimalsAsDigitByDigitForAnyFloat) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_int_distribution<int> units(-3000000, 3000000);
  for (int i = 0; i < 300000; ++i) {
    const float value = std::bit_cast<float>(bits(random));
    // The halves: k + 0.5 hundred-thousandths, as the float nearest them and its neighbours.
    const float half = static_cast<float>((units(random) + 0.5) / 10000);
    for (const double tried :
         {double{value}, 3.0 * value, double{half}, 3.0 * half, double{std::nextafter(half, 1e9f)},
          double{std::nextafter(half, -1e9f)}, std::ldexp(double{value}, -100)}) {
      ASSERT_EQ(Fixed(tried), DigitByDigitFixed(tried)) << std::hexfloat << tried;
    }
  }
  // Around 2^52 ten-thousandths, where the C library takes over, and beyond.
  for (double tried = 0x1p52 / 10000 * 0.999999; tried < 0x1p52 / 10000 * 1.000001;
       tried = std::nextafter(tried * (1 + 1e-9), 1e300)) {
    ASSERT_EQ(Fixed(tried), DigitByDigitFixed(tried)) << std::hexfloat << tried;
    ASSERT_EQ(Fixed(-tried), DigitByDigitFixed(-tried)) << std::hexfloat << tried;
  }
  for (const double tried :
       {0.0, -0.0, -1e-300, -0.00005, 0.00005, -0.000049999, 9.99995,
        -std::numeric_limits<double>::denorm_min(), 1e300, -1e300,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
        999999999.99995}) {
    EXPECT_EQ(Fixed(tried), DigitByDigitFixed(tried)) << std::hexfloat << tried;
  }
}

TEST(NumberTextTest, IntegersAsTheStandardLibraryWritesThem) {
  std::mt19937_64 random(7);
  std::vector<std::int64_t> tried = {std::numeric_limits<std::int64_t>::max(),
                                     std::numeric_limits<std::int64_t>::min()};
  for (std::int64_t power = 1; power <= std::numeric_limits<std::int64_t>::max() / 10;
       power *= 10) {
    tried.insert(tried.end(), {power - 1, power, power + 1, -power, 1 - power});
  }
  for (int i = 0; i < 100000; ++i) {
    const auto value = static_cast<std::int64_t>(random());
    tried.insert(tried.end(), {value, value >> (i % 64)});
  }
  for (const std::int64_t value : tried)
    ASSERT_EQ(Integer(value), std::to_string(value));
}

// A number counted up keeps the text after it, also when it gains a digit.
TEST(NumberTextTest, CountingUpMatchesFormatting) {
  const auto piece = [](std::uint64_t n) {
    return MakePiece<NumberPiece>([&](char* at) {
      at = FormatInteger(at, static_cast<std::int64_t>(n));
      return std::copy_n(":  A:", 5, at);
    });
  };
  const auto text = [](const NumberPiece& p) { return std::string(p.text.data(), p.size); };
  std::vector<std::uint64_t> starts = {0, 8, 98, 12345};
  for (std::uint64_t power = 10; power <= 1000000000000000u; power *= 10)
    starts.insert(starts.end(), {power - 2, power - 1});
  for (const std::uint64_t start : starts) {
    NumberPiece counted = piece(start);
    for (std::uint64_t n = start + 1; n < start + 1200; ++n) {
      CountUp(counted, counted.size - 5);
      ASSERT_EQ(text(counted), text(piece(n)));
    }
  }
}

TEST(NumberTextTest, Integers) {
  EXPECT_EQ(Integer(0), "0");
  EXPECT_EQ(Integer(-2500), "-2500");
  EXPECT_EQ(Integer(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

}  // namespace
}  // namespace orvandel
