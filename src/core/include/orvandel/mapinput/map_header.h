#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvandel {

// The stored header fields of a map: the 14-byte BMP file header and the 40-byte info header.
struct MapHeader {
  std::array<char, 2> signature{};
  std::uint32_t file_size = 0;
  std::uint32_t reserved = 0;
  std::int32_t pixel_data_offset = 0;
  std::uint32_t info_header_size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bits_per_pixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t image_size = 0;
  std::uint32_t horizontal_resolution = 0;
  std::uint32_t vertical_resolution = 0;
  std::int32_t colours_used = 0;
  std::int32_t colours_important = 0;
};

// One colour-table entry as stored in the file.
struct PaletteEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
};

// The 16 colour-table entries of the loaded map, all zero at start. A map replaces only as
// many entries as its colour table has; defined_entries counts them (16 when the map has no
// colour table), and only those take part in colour matching.
struct MapPalette {
  std::array<PaletteEntry, 16> entries{};
  int defined_entries = 16;
};

enum MapReadResult : std::uint8_t {
  kMapUsable = 0,
  kMapNotBmp = 1,
  kMapTooManyColours = 2,
  kMapCompressed = 3,
  kMapUnknownPalette = 4,
};

// The message of each result code 1 to 4; the caller appends "!" when it shows one.
inline constexpr std::array<std::string_view, 5> MapReadMessages = {
    "",
    "File corrupted or not BMP",
    "Only 4-bit (16 color) BMP images supported",
    "Unknown file compression",
    "Unknown palette type",
};

// Where the pixel rows of an uncompressed map end in its file: the pixel-data offset plus
// one padded row of 4-byte words per line. A file shorter than that is cut short.
std::uint64_t MapPixelDataEnd(const MapHeader& header);

// Reads the headers and the colour table of a BMP map and decides whether it can be used.
// Always stores the header fields in header; replaces palette entries only when the result
// is kMapUsable. A colour table of more than 16 entries (a larger info header, or a gap
// before the pixels) gives kMapUnknownPalette, since entries read from byte 54 on would not
// be its colours. Throws IoError when the file cannot be opened or ends inside the 54
// header bytes.
MapReadResult ReadMapHeader(const std::string& file_name, MapHeader& header, MapPalette& palette);

}  // namespace orvandel
