#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "orvandel/fileio/binary_reader.h"

namespace orvandel {

// The stored header fields of a map: the 14-byte BMP file header and the info header. Of a
// larger Windows info header only the first 40 bytes are read; an OS/2 core header (12
// bytes) holds width, height, planes and bits per pixel, and leaves the others zero.
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
  kMapUnknownHeader = 5,
  kMapHeaderOverlapsPixels = 6,
};

// The message of each result code 1 to 6; the caller appends "!" when it shows one.
inline constexpr std::array<std::string_view, 7> MapReadMessages = {
    "",
    "File corrupted or not BMP",
    "Only 4-bit (16 color) BMP images supported",
    "Unknown file compression",
    "Unknown palette type",
    "Unknown BMP header size",
    "BMP header overlaps the pixel data",
};

// The size of the OS/2 core header, whose colour-table entries are 3 bytes long.
constexpr std::uint32_t kCoreHeaderSize = 12;

// Where the colour table begins: right after the info header.
constexpr std::int64_t ColourTableStart(const MapHeader& header) {
  return 14 + std::int64_t{header.info_header_size};
}

// The bytes of one colour-table entry: 3 after a core header, else 4.
constexpr int ColourEntryBytes(const MapHeader& header) {
  return header.info_header_size == kCoreHeaderSize ? 3 : 4;
}

// Where the pixel rows of an uncompressed map end in its file: the pixel-data offset plus
// one padded row of 4-byte words per line. A file shorter than that is cut short.
std::uint64_t MapPixelDataEnd(const MapHeader& header);

// Takes the open file of a usable map back to its start, for a reader of its pixels.
// Throws RuntimeFailure "Bitmap image is not valid" when the file ends before
// MapPixelDataEnd or its size is unknown (not a regular file), IoError when it cannot seek.
void RewindForPixels(BinaryReader& file, const MapHeader& header);

// Reads the headers and the colour table of a BMP map and decides whether it can be used.
// Always stores the header fields in header; replaces palette entries only when the result
// is kMapUsable. The info header may be any Windows size (40, 52, 56, 108, 124 bytes) or
// the OS/2 core header (12 bytes); the colour table follows it and runs up to the pixel
// data. Another size gives kMapUnknownHeader, a pixel-data offset inside the headers
// kMapHeaderOverlapsPixels, a table of more than 16 entries (a gap before the pixels)
// kMapUnknownPalette. Reads file from its start on and leaves it after the colour table.
// Throws IoError when the file cannot be read or ends inside its headers (54 bytes, or 26
// with a core header).
MapReadResult ReadMapHeader(BinaryReader& file, MapHeader& header, MapPalette& palette);

}  // namespace orvandel
