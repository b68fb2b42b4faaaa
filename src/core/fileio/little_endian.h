#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvandel {

// 32-bit fields in little-endian byte order, whatever the host's order.
static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

inline std::uint32_t U32At(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}
inline std::int32_t I32At(const unsigned char* bytes) {
  return static_cast<std::int32_t>(U32At(bytes));
}
inline float F32At(const unsigned char* bytes) {
  return std::bit_cast<float>(U32At(bytes));
}

// Each returns the end of what it wrote. A field is one whole store: writers put out
// hundreds of millions of them.
inline char* PutU32(char* out, std::uint32_t value) {
  if constexpr (std::endian::native == std::endian::big) {
    value = value >> 24 | (value >> 8 & 0xFF00) | (value << 8 & 0xFF0000) | value << 24;
  }
  std::memcpy(out, &value, 4);
  return out + 4;
}
inline char* PutI32(char* out, std::int32_t value) {
  return PutU32(out, static_cast<std::uint32_t>(value));
}
inline char* PutF32(char* out, float value) {
  return PutU32(out, std::bit_cast<std::uint32_t>(value));
}

}  // namespace orvandel
