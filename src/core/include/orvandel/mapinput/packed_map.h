#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "orvandel/mapinput/map_header.h"
#include "orvandel/mapinput/map_image.h"

namespace orvandel {

// A map whose pixels are 1-, 4- or 8-bit colour-table indexes, held as its file stores
// them: the file is read once, up to its last pixel row, and no pixel is expanded.
class PackedMap : public MapImage {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void ReadRow(int y, std::span<PackedColour> out) const override;
  std::span<const PackedColour> ColourTable() const override { return colour_table_; }
  const std::uint8_t* IndexRow(int y) const override;
  int IndexBits() const override { return bits_; }

 private:
  friend std::unique_ptr<PackedMap> ReadPackedMap(BinaryReader& file, const MapHeader& header);
  PackedMap() = default;

  int width_ = 0;
  int height_ = 0;
  int bits_ = 8;
  bool top_down_ = false;
  std::size_t row_bytes_ = 0;
  std::unique_ptr<std::uint8_t[]> file_;  // the file up to the end of its pixel rows
  const std::uint8_t* pixels_ = nullptr;  // the first stored row within file_
  std::vector<PackedColour> colour_table_;
};

// Whether ReadPackedMap reads the pixels of a map: uncompressed 1-, 4- or 8-bit indexes.
bool IsPackedMap(const MapHeader& header);

// Reads the pixels of a map that ReadMapHeader found usable and IsPackedMap, from the
// start of the same open file, wherever ReadMapHeader left it. The colour table is the one
// the header declares, right after the info header: colours used entries, or as many as
// the bits per pixel can index when it is 0. Throws Refusal "BMP header overlaps the pixel
// data!" when that table runs past the pixel-data offset, RuntimeFailure "Bitmap image is
// not valid" for a size of no pixels or a file that ends before its last pixel row (or
// whose size is unknown: not a regular file), IoError when the file cannot be read, and
// std::bad_alloc when memory cannot hold the file.
std::unique_ptr<PackedMap> ReadPackedMap(BinaryReader& file, const MapHeader& header);

}  // namespace orvandel
