#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace orvandel {

// Decimal digits written two at a time, inline: the text writers write hundreds of
// millions of numbers.
namespace decimal {

// "00", "01", ..., "99".
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i)
    powers[i] = powers[i - 1] * 10;
  return powers;
}();

// Writes the two digits of pair (below 100) and returns their end.
inline char* PutPair(char* out, std::uint64_t pair) {
  std::memcpy(out, &kDigitPairs[2 * pair], 2);
  return out + 2;
}

// The digits of value, 1 for 0.
inline int DigitCount(std::uint64_t value) {
  // 1233 / 4096 lies just below log10(2): an estimate from the bits, at most one low.
  const auto estimate = static_cast<std::size_t>(std::bit_width(value) * 1233 >> 12);
  return static_cast<int>(estimate) + (value >= kPowersOfTen[estimate] ? 1 : 0) +
         (value == 0 ? 1 : 0);
}

// Writes value in decimal and returns the end.
inline char* PutUnsigned(char* out, std::uint64_t value) {
  char* const end = out + DigitCount(value);
  char* at = end;
  for (; value >= 100; value /= 100)
    PutPair(at -= 2, value % 100);
  if (value >= 10) {
    PutPair(at - 2, value);
  } else {
    at[-1] = static_cast<char>('0' + value);
  }
  return end;
}

inline char* PutSigned(char* out, std::int64_t value) {
  if (value >= 0) return PutUnsigned(out, static_cast<std::uint64_t>(value));
  *out++ = '-';
  return PutUnsigned(out, 0 - static_cast<std::uint64_t>(value));
}

}  // namespace decimal
}  // namespace orvandel
