#include "orvandel/mapinput/map_header.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

constexpr std::uint32_t kWindowsHeaderSize = 40;

// The 16-bit fields of an OS/2 core header; it has no others.
void ReadCoreFields(BinaryReader& file, MapHeader& h) {
  h.width = file.ReadU16();
  h.height = file.ReadU16();
  h.planes = file.ReadU16();
  h.bits_per_pixel = file.ReadU16();
}

// The first 40 bytes of a Windows info header, which every size of it shares.
void ReadWindowsFields(BinaryReader& file, MapHeader& h) {
  h.width = file.ReadI32();
  h.height = file.ReadI32();
  h.planes = file.ReadU16();
  h.bits_per_pixel = file.ReadU16();
  h.compression = file.ReadU32();
  h.image_size = file.ReadU32();
  h.horizontal_resolution = file.ReadU32();
  h.vertical_resolution = file.ReadU32();
  h.colours_used = file.ReadI32();
  h.colours_important = file.ReadI32();
}

MapHeader ReadFields(BinaryReader& file) {
  MapHeader h;
  file.Read(h.signature.data(), 2);
  h.file_size = file.ReadU32();
  h.reserved = file.ReadU32();
  h.pixel_data_offset = file.ReadI32();
  h.info_header_size = file.ReadU32();
  if (h.info_header_size == kCoreHeaderSize) {
    ReadCoreFields(file, h);
  } else {
    ReadWindowsFields(file, h);
  }
  return h;
}

bool KnownInfoHeaderSize(std::uint32_t size) {
  for (const std::uint32_t known : {kCoreHeaderSize, kWindowsHeaderSize, 52u, 56u, 108u, 124u}) {
    if (size == known) return true;
  }
  return false;
}

// The number of colours the map uses; when neither count is stored, the implicit count of
// its bits per pixel, which is then stored in both fields where it fits.
std::int64_t ColourCount(MapHeader& h) {
  if (h.colours_used != 0 || h.colours_important != 0) return h.colours_used;
  if (h.bits_per_pixel > 30) return std::numeric_limits<std::int64_t>::max();
  const std::int32_t implicit = std::int32_t{1} << h.bits_per_pixel;
  h.colours_used = implicit;
  h.colours_important = implicit;
  return implicit;
}

MapReadResult Decide(BinaryReader& file, MapHeader& h) {
  if (file.AtEnd()) return kMapNotBmp;
  if (h.signature[0] != 'B' || h.signature[1] != 'M') return kMapNotBmp;
  if (!KnownInfoHeaderSize(h.info_header_size)) return kMapUnknownHeader;
  if (h.compression != 0) return kMapCompressed;
  if (ColourCount(h) > 16) return kMapTooManyColours;
  if (h.pixel_data_offset < ColourTableStart(h)) return kMapHeaderOverlapsPixels;
  return kMapUsable;
}

// Passes over the fields of a larger info header that the program does not use.
void SkipTo(BinaryReader& file, std::int64_t position, std::int64_t from) {
  unsigned char unused[128];
  file.ReadUpTo(unused, static_cast<std::size_t>(std::max<std::int64_t>(position - from, 0)));
}

// Entries of a short table keep the bytes the file no longer covers.
void ReadColourTable(BinaryReader& file, std::int64_t entries, int entry_bytes,
                     MapPalette& palette) {
  for (std::int64_t i = 0; i < entries; ++i) {
    unsigned char bytes[4];
    const std::size_t got = file.ReadUpTo(bytes, static_cast<std::size_t>(entry_bytes));
    PaletteEntry& entry = palette.entries[static_cast<std::size_t>(i)];
    std::uint8_t* fields[4] = {&entry.blue, &entry.green, &entry.red, &entry.reserved};
    if (entry_bytes == 3 && got == 3) entry.reserved = 0;
    for (std::size_t b = 0; b < got; ++b)
      *fields[b] = bytes[b];
  }
}

}  // namespace

std::uint64_t MapPixelDataEnd(const MapHeader& header) {
  const auto width = static_cast<std::uint64_t>(std::abs(std::int64_t{header.width}));
  const auto height = static_cast<std::uint64_t>(std::abs(std::int64_t{header.height}));
  const std::uint64_t row_bytes = (width * header.bits_per_pixel + 31) / 32 * 4;
  const auto offset = static_cast<std::uint64_t>(std::max(header.pixel_data_offset, 0));
  return offset + row_bytes * height;
}

void RewindForPixels(BinaryReader& file, const MapHeader& header) {
  if (file.Size() < MapPixelDataEnd(header)) throw RuntimeFailure("Bitmap image is not valid");
  file.Rewind();
}

MapReadResult ReadMapHeader(BinaryReader& file, MapHeader& header, MapPalette& palette) {
  header = ReadFields(file);
  const MapReadResult result = Decide(file, header);
  if (result != kMapUsable) return result;
  const std::int64_t table_start = ColourTableStart(header);
  const int entry_bytes = ColourEntryBytes(header);
  const std::int64_t entries = (header.pixel_data_offset - table_start) / entry_bytes;
  if (entries > 16) return kMapUnknownPalette;
  if (entries >= 1) {
    SkipTo(file, table_start, 14 + std::min(header.info_header_size, kWindowsHeaderSize));
    ReadColourTable(file, entries, entry_bytes, palette);
    palette.defined_entries = static_cast<int>(entries);
  } else {
    palette.defined_entries = 16;
  }
  return kMapUsable;
}

}  // namespace orvandel
