#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvandel {

// Pixels of 1, 4 or 8 bits packed in 64-bit words, counted a word at a time: each pixel is
// a lane of the word, and the lowest bit of every lane to count is set in a lane mask.

template <int kBits>
constexpr std::uint64_t kLaneBits = ~std::uint64_t{0} / ((std::uint64_t{1} << kBits) - 1);

// Eight bytes as one word, the first byte in the lowest bits.
inline std::uint64_t WordAt(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The first count (below 8) bytes as the low bytes of a word.
inline std::uint64_t ShortWordAt(const std::uint8_t* bytes, std::size_t count) {
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < count; ++i)
    word |= std::uint64_t{bytes[i]} << 8 * i;
  return word;
}

// The lanes of the first count bytes of a word.
template <int kBits>
std::uint64_t LanesOfBytes(std::size_t count) {
  return count >= 8 ? kLaneBits<kBits> : kLaneBits<kBits> & ((std::uint64_t{1} << 8 * count) - 1);
}

// The number of bits set. The generic x86-64 instruction set has no population count,
// and std::popcount would call a library routine for every word.
inline std::uint64_t CountBits(std::uint64_t x) {
  x -= x >> 1 & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + (x >> 2 & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return x * 0x0101010101010101u >> 56;
}

// The lowest bit of every lane of x that is not zero.
template <int kBits>
std::uint64_t NonZeroLanes(std::uint64_t x) {
  if constexpr (kBits >= 2) x |= x >> 1;
  if constexpr (kBits >= 4) x |= x >> 2;
  if constexpr (kBits >= 8) x |= x >> 4;
  return x & kLaneBits<kBits>;
}

// Calls take(value, pixels) once for every value that the given lanes of word hold, with
// the number of lanes that hold it: once per value, whatever the number of its pixels.
template <int kBits, typename Take>
inline void CountLanes(std::uint64_t word, std::uint64_t lanes, Take&& take) {
  while (lanes != 0) {
    const int lowest = std::countr_zero(lanes);
    const std::uint64_t value = word >> lowest & ((std::uint64_t{1} << kBits) - 1);
    const std::uint64_t other = NonZeroLanes<kBits>(word ^ value * kLaneBits<kBits>);
    take(static_cast<unsigned>(value), CountBits(lanes & ~other));
    lanes &= other;
  }
}

}  // namespace orvandel
