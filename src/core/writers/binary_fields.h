#pragma once

#include <bit>
#include <cstdint>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// Little-endian 32-bit fields, written byte by byte whatever the host's byte order.
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

inline void AppendI32(ByteSink& sink, std::int32_t value) {
  sink.Advance(PutI32(sink.Claim(4), value));
}

}  // namespace orvandel
