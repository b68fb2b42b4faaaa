#include "orvandel/mapinput/map_image.h"

#include <cassert>
#include <cstring>

namespace orvandel {
namespace {

template <int kBits>
std::uint8_t IndexAt(const std::uint8_t* row, std::size_t x) {
  constexpr std::size_t kPerByte = 8 / kBits;
  const auto shift = 8 - kBits * static_cast<int>(x % kPerByte + 1);
  return static_cast<std::uint8_t>(row[x / kPerByte] >> shift & ((1u << kBits) - 1));
}

// A byte at a time, then the pixels of the last byte that count still takes.
template <int kBits>
void Unpack(const std::uint8_t* row, std::size_t count, std::uint8_t* out) {
  constexpr std::size_t kPerByte = 8 / kBits;
  const std::size_t whole_bytes = count / kPerByte;
  for (std::size_t i = 0; i < whole_bytes; ++i) {
    for (std::size_t j = 0; j < kPerByte; ++j)
      out[i * kPerByte + j] = IndexAt<kBits>(row + i, j);
  }
  for (std::size_t x = whole_bytes * kPerByte; x < count; ++x)
    out[x] = IndexAt<kBits>(row, x);
}

}  // namespace

void UnpackIndexes(const std::uint8_t* row, int bits, std::size_t count, std::uint8_t* out) {
  assert(bits == 1 || bits == 4 || bits == 8);
  if (bits == 8) {
    std::memcpy(out, row, count);
  } else if (bits == 4) {
    Unpack<4>(row, count, out);
  } else {
    Unpack<1>(row, count, out);
  }
}

}  // namespace orvandel
