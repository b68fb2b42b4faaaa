#pragma once

#include <bit>
#include <cstdint>

namespace orvandel {

// 32-bit fields in little-endian byte order, read and written byte by byte whatever the
// host's order.

inline std::uint32_t U32At(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}
inline std::int32_t I32At(const unsigned char* bytes) {
  return static_cast<std::int32_t>(U32At(bytes));
}
inline float F32At(const unsigned char* bytes) { return std::bit_cast<float>(U32At(bytes)); }

// Each returns the end of what it wrote.
inline char* PutU32(char* out, std::uint32_t value) {
  out[0] = static_cast<char>(value & 0xFF);
  out[1] = static_cast<char>(value >> 8 & 0xFF);
  out[2] = static_cast<char>(value >> 16 & 0xFF);
  out[3] = static_cast<char>(value >> 24 & 0xFF);
  return out + 4;
}
inline char* PutI32(char* out, std::int32_t value) {
  return PutU32(out, static_cast<std::uint32_t>(value));
}
inline char* PutF32(char* out, float value) {
  return PutU32(out, std::bit_cast<std::uint32_t>(value));
}

}  // namespace orvandel
