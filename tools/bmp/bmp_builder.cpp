#include "bmp_builder.h"

#include <fstream>
#include <stdexcept>

namespace orvandel::tools {
namespace {

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

void PutRow(std::string& out, const BmpDescription& bmp, int y) {
  std::string row(RowBytes(bmp), '\0');
  const int per_byte = bmp.bits_per_pixel < 8 ? 8 / bmp.bits_per_pixel : 1;
  for (int x = 0; x < bmp.width; ++x) {
    const std::uint32_t value = bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x];
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
  out += row;
}

}  // namespace

std::string EncodeBmp(const BmpDescription& bmp) {
  const auto table_bytes = static_cast<std::uint32_t>(4 * bmp.palette.size());
  const std::uint32_t offset = bmp.pixel_data_offset
                                   ? static_cast<std::uint32_t>(*bmp.pixel_data_offset)
                                   : 14 + bmp.info_header_size + table_bytes;
  const auto image_bytes = static_cast<std::uint32_t>(RowBytes(bmp) * bmp.height);
  std::string out = "BM";
  Put32(out, offset + image_bytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, bmp.info_header_size);
  Put32(out, static_cast<std::uint32_t>(bmp.width));
  Put32(out, static_cast<std::uint32_t>(bmp.top_down ? -bmp.height : bmp.height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bmp.bits_per_pixel));
  Put32(out, bmp.compression);
  Put32(out, image_bytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(
                 bmp.colours_used.value_or(static_cast<int>(bmp.palette.size()))));
  Put32(out, static_cast<std::uint32_t>(bmp.colours_important.value_or(0)));
  out.resize(14 + bmp.info_header_size, '\0');
  for (const PackedColour c : bmp.palette) {
    out.push_back(static_cast<char>(BlueOf(c)));
    out.push_back(static_cast<char>(GreenOf(c)));
    out.push_back(static_cast<char>(RedOf(c)));
    out.push_back('\0');
  }
  out.resize(offset, '\0');
  for (int i = 0; i < bmp.height; ++i)
    PutRow(out, bmp, bmp.top_down ? i : bmp.height - 1 - i);
  return out;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace orvandel::tools
