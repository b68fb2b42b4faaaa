#include "orvandel/mapinput/packed_map.h"

#include <cassert>
#include <climits>
#include <cstdlib>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

// The entries of the colour table the header declares, or -1 for a negative count.
std::int64_t DeclaredEntries(const MapHeader& header) {
  if (header.colours_used < 0) return -1;
  return header.colours_used > 0 ? header.colours_used : std::int64_t{1} << header.bits_per_pixel;
}

void CheckLayout(const MapHeader& header) {
  const std::int64_t entries = DeclaredEntries(header);
  const bool no_pixels = header.width < 1 || header.height == 0 || header.height == INT_MIN;
  if (entries < 0 || no_pixels) throw RuntimeFailure("Bitmap image is not valid");
  const std::int64_t table_end = ColourTableStart(header) + entries * ColourEntryBytes(header);
  if (table_end > header.pixel_data_offset) {
    throw Refusal(std::string(MapReadMessages[kMapHeaderOverlapsPixels]) + "!");
  }
}

std::vector<PackedColour> ColourTableOf(const std::uint8_t* file, const MapHeader& header) {
  std::vector<PackedColour> table;
  const std::uint8_t* entry = file + ColourTableStart(header);
  for (std::int64_t i = 0; i < DeclaredEntries(header); ++i) {
    table.push_back(PackRGB(entry[2], entry[1], entry[0]));
    entry += ColourEntryBytes(header);
  }
  return table;
}

}  // namespace

void PackedMap::ReadRow(int y, std::span<PackedColour> out) const {
  assert(out.size() <= static_cast<std::size_t>(width_));
  std::vector<std::uint8_t> indexes(out.size());
  UnpackIndexes(IndexRow(y), bits_, indexes.size(), indexes.data());
  for (std::size_t x = 0; x < out.size(); ++x)
    out[x] = indexes[x] < colour_table_.size() ? colour_table_[indexes[x]] : 0;
}

const std::uint8_t* PackedMap::IndexRow(int y) const {
  assert(y >= 0 && y < height_);
  const int stored = top_down_ ? y : height_ - 1 - y;
  return pixels_ + static_cast<std::size_t>(stored) * row_bytes_;
}

bool IsPackedMap(const MapHeader& header) {
  const int bits = header.bits_per_pixel;
  return header.compression == 0 && (bits == 1 || bits == 4 || bits == 8);
}

std::unique_ptr<PackedMap> ReadPackedMap(BinaryReader& file, const MapHeader& header) {
  assert(IsPackedMap(header));
  CheckLayout(header);
  const std::uint64_t end = MapPixelDataEnd(header);
  RewindForPixels(file, header);
  std::unique_ptr<PackedMap> map(new PackedMap);
  map->file_ = std::make_unique_for_overwrite<std::uint8_t[]>(end);
  file.Read(map->file_.get(), end);
  map->width_ = header.width;
  map->height_ = std::abs(header.height);
  map->bits_ = header.bits_per_pixel;
  map->top_down_ = header.height < 0;
  map->row_bytes_ = (static_cast<std::size_t>(header.width) * map->bits_ + 31) / 32 * 4;
  map->pixels_ = map->file_.get() + header.pixel_data_offset;
  map->colour_table_ = ColourTableOf(map->file_.get(), header);
  return map;
}

}  // namespace orvandel
