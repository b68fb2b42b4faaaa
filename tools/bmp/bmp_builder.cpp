#include "bmp_builder.h"

#include <fstream>
#include <stdexcept>

namespace orvandel::tools {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::size_t RowBytes(const BmpDescription& bmp) {
  const std::size_t bits = static_cast<std::size_t>(bmp.width) * bmp.bits_per_pixel;
  return (bits + 31) / 32 * 4;
}

std::string EncodeRow(const BmpDescription& bmp, int y, const PixelAt& pixel_at) {
  std::string row(RowBytes(bmp), '\0');
  const int per_byte = bmp.bits_per_pixel < 8 ? 8 / bmp.bits_per_pixel : 1;
  for (int x = 0; x < bmp.width; ++x) {
    const std::uint32_t value = pixel_at(x, y);
    if (bmp.bits_per_pixel >= 24) {
      const int at = x * bmp.bits_per_pixel / 8;
      row[at] = static_cast<char>(BlueOf(value));
      row[at + 1] = static_cast<char>(GreenOf(value));
      row[at + 2] = static_cast<char>(RedOf(value));
    } else {
      const int shift = 8 - bmp.bits_per_pixel * (x % per_byte + 1);
      row[x / per_byte] = static_cast<char>(row[x / per_byte] | value << shift);
    }
  }
  return row;
}

// The OS/2 core header: 16-bit width and height, planes, bits per pixel.
void PutCoreHeader(std::string& out, const BmpDescription& bmp) {
  Put16(out, static_cast<std::uint32_t>(bmp.width));
  Put16(out, static_cast<std::uint32_t>(bmp.height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bmp.bits_per_pixel));
}

void PutWindowsHeader(std::string& out, const BmpDescription& bmp) {
  Put32(out, static_cast<std::uint32_t>(bmp.width));
  Put32(out, static_cast<std::uint32_t>(bmp.top_down ? -bmp.height : bmp.height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bmp.bits_per_pixel));
  Put32(out, bmp.compression);
  Put32(out, static_cast<std::uint32_t>(RowBytes(bmp) * bmp.height));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(
                 bmp.colours_used.value_or(static_cast<int>(bmp.palette.size()))));
  Put32(out, static_cast<std::uint32_t>(bmp.colours_important.value_or(0)));
}

// Everything before the pixel rows: the file header, the info header and the colour table.
std::string EncodeHeaders(const BmpDescription& bmp) {
  const bool core = bmp.info_header_size == kCoreHeaderSize;
  const std::uint32_t entry_bytes = core ? 3 : 4;
  const auto table_bytes = static_cast<std::uint32_t>(entry_bytes * bmp.palette.size());
  const std::uint32_t offset = bmp.pixel_data_offset
                                   ? static_cast<std::uint32_t>(*bmp.pixel_data_offset)
                                   : 14 + bmp.info_header_size + table_bytes;
  std::string out = "BM";
  Put32(out, offset + static_cast<std::uint32_t>(RowBytes(bmp) * bmp.height));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, bmp.info_header_size);
  if (core) {
    PutCoreHeader(out, bmp);
  } else {
    PutWindowsHeader(out, bmp);
  }
  out.resize(14 + bmp.info_header_size, '\0');
  for (const PackedColour c : bmp.palette) {
    out.push_back(static_cast<char>(BlueOf(c)));
    out.push_back(static_cast<char>(GreenOf(c)));
    out.push_back(static_cast<char>(RedOf(c)));
    if (!core) out.push_back('\0');
  }
  out.resize(offset, '\0');
  return out;
}

// The stored rows in file order, bottom row first unless the map is top-down.
template <typename TakeRow>
void ForEachStoredRow(const BmpDescription& bmp, const PixelAt& pixel_at, TakeRow&& take) {
  for (int i = 0; i < bmp.height; ++i)
    take(EncodeRow(bmp, bmp.top_down ? i : bmp.height - 1 - i, pixel_at));
}

}  // namespace

std::string EncodeBmp(const BmpDescription& bmp) {
  std::string out = EncodeHeaders(bmp);
  const PixelAt from_pixels = [&](int x, int y) {
    return bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x];
  };
  ForEachStoredRow(bmp, from_pixels, [&](const std::string& row) { out += row; });
  return out;
}

void WriteBmpFile(const std::string& path, const BmpDescription& bmp, const PixelAt& pixel_at) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const auto put = [&](const std::string& bytes) {
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  put(EncodeHeaders(bmp));
  ForEachStoredRow(bmp, pixel_at, put);
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace orvandel::tools
