#include "orvandel/mapinput/map_header.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "orvandel/fileio/binary_reader.h"

namespace orvandel {
namespace {

constexpr std::int64_t kHeaderBytes = 54;

void ReadFields(BinaryReader& file, MapHeader& h) {
  file.Read(h.Signature.data(), 2);
  h.FileSize = file.ReadU32();
  h.Reserved = file.ReadU32();
  h.PixelDataOffset = file.ReadI32();
  h.InfoHeaderSize = file.ReadU32();
  h.Width = file.ReadI32();
  h.Height = file.ReadI32();
  h.Planes = file.ReadU16();
  h.BitsPerPixel = file.ReadU16();
  h.Compression = file.ReadU32();
  h.ImageSize = file.ReadU32();
  h.HorizontalResolution = file.ReadU32();
  h.VerticalResolution = file.ReadU32();
  h.ColoursUsed = file.ReadI32();
  h.ColoursImportant = file.ReadI32();
}

// The number of colours the map uses; when neither count is stored, the implicit count of
// its bits per pixel, which is then stored in both fields where it fits.
std::int64_t ColourCount(MapHeader& h) {
  if (h.ColoursUsed != 0 || h.ColoursImportant != 0) return h.ColoursUsed;
  if (h.BitsPerPixel > 30) return std::numeric_limits<std::int64_t>::max();
  const std::int32_t implicit = std::int32_t{1} << h.BitsPerPixel;
  h.ColoursUsed = implicit;
  h.ColoursImportant = implicit;
  return implicit;
}

MapReadResult Decide(BinaryReader& file, MapHeader& h) {
  if (file.AtEnd()) return kMapNotBmp;
  if (h.Signature[0] != 'B' || h.Signature[1] != 'M') return kMapNotBmp;
  if (h.Compression != 0) return kMapCompressed;
  return ColourCount(h) > 16 ? kMapTooManyColours : kMapUsable;
}

// Entries of a short table keep the bytes the file no longer covers.
void ReadColourTable(BinaryReader& file, std::int64_t entries, MapPalette& palette) {
  for (std::int64_t i = 0; i < entries; ++i) {
    unsigned char bytes[4];
    const std::size_t got = file.ReadUpTo(bytes, sizeof bytes);
    PaletteEntry& entry = palette.Entries[static_cast<std::size_t>(i)];
    std::uint8_t* fields[4] = {&entry.Blue, &entry.Green, &entry.Red, &entry.Reserved};
    for (std::size_t b = 0; b < got; ++b)
      *fields[b] = bytes[b];
  }
}

}  // namespace

std::uint64_t MapPixelDataEnd(const MapHeader& header) {
  const auto width = static_cast<std::uint64_t>(std::abs(std::int64_t{header.Width}));
  const auto height = static_cast<std::uint64_t>(std::abs(std::int64_t{header.Height}));
  const std::uint64_t row_bytes = (width * header.BitsPerPixel + 31) / 32 * 4;
  const auto offset = static_cast<std::uint64_t>(std::max(header.PixelDataOffset, 0));
  return offset + row_bytes * height;
}

MapReadResult ReadMapHeader(const std::string& file_name, MapHeader& header, MapPalette& palette) {
  BinaryReader file(file_name);
  ReadFields(file, header);
  const MapReadResult result = Decide(file, header);
  if (result != kMapUsable) return result;
  const std::int64_t entries = (std::int64_t{header.PixelDataOffset} - kHeaderBytes) / 4;
  if (entries > 16) return kMapUnknownPalette;
  if (entries >= 1) {
    ReadColourTable(file, entries, palette);
    palette.DefinedEntries = static_cast<int>(entries);
  } else {
    palette.DefinedEntries = 16;
  }
  return kMapUsable;
}

}  // namespace orvandel
