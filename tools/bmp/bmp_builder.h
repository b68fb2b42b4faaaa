#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "orvandel/geometry/colour.h"

namespace orvandel::tools {

// A BMP file to build, for sample maps, tests and benchmarks. The headers come out as a
// standard BMP writer would make them unless a field is overridden.
struct BmpDescription {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 4;  // 1, 4 or 8 (indexes into palette), 24 or 32
  bool top_down = false;   // rows stored top first, with a negative height
  std::vector<PackedColour> palette;
  // Top row first: colour-table indexes for 1 to 8 bits, packed colours for 24 and 32 bits.
  std::vector<std::uint32_t> pixels;

  std::optional<std::int32_t> colours_used;
  std::optional<std::int32_t> colours_important;
  std::optional<std::int32_t> pixel_data_offset;
  std::uint32_t compression = 0;
  // 40, or a larger Windows info header (52, 56, 108, 124) whose further fields are zero,
  // or 12: the OS/2 core header, with 16-bit width and height and 3-byte table entries.
  std::uint32_t info_header_size = 40;
};

std::string EncodeBmp(const BmpDescription& bmp);

// The value of pixel (x, y), top row 0, as BmpDescription::pixels holds it.
using PixelAt = std::function<std::uint32_t(int x, int y)>;

// Writes a BMP file whose pixels come from pixel_at, ignoring bmp.pixels, one row at a
// time: a map far larger than a description in memory could hold. Throws
// std::runtime_error when the file cannot be written.
void WriteBmpFile(const std::string& path, const BmpDescription& bmp, const PixelAt& pixel_at);

constexpr PackedColour Grey(int level) {
  return PackRGB(level, level, level);
}

// Writes bytes to a file; throws std::runtime_error when it cannot.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace orvandel::tools
