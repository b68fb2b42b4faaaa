#pragma once

#include <cstdint>
#include <span>

#include "orvandel/geometry/colour.h"

namespace orvandel {

// The pixels of the map as the map window shows them.
//
// Every image gives the packed colour of each pixel row by row. An image whose pixels are
// indexes into a colour table may also expose the table and its rows of indexes, which
// lets the sampler classify a colour once per table entry instead of once per pixel; an
// index beyond the table shows as black (packed 0). Rows of indexes may be packed as BMP
// files store them, several indexes to a byte. The generator reads a map on several
// threads at once: reading must change nothing.
class MapImage {
 public:
  virtual ~MapImage() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Packed colours of the first out.size() pixels of row y (0 <= y < Height(),
  // out.size() <= Width()).
  virtual void ReadRow(int y, std::span<PackedColour> out) const = 0;

  // The colour table, or empty when the pixels are not stored as indexes.
  virtual std::span<const PackedColour> ColourTable() const { return {}; }
  // Row y as colour-table indexes, Width() of them, IndexBits() bits each with the
  // leftmost pixel in the highest bits of its byte; only when ColourTable() is not empty.
  virtual const std::uint8_t* IndexRow(int /*y*/) const { return nullptr; }
  // The bits of one index in IndexRow(): 1, 4 or 8.
  virtual int IndexBits() const { return 8; }
};

// Writes the first count indexes of a row packed bits (1, 4 or 8) to a byte, leftmost
// pixel in the highest bits, to out, one byte each.
void UnpackIndexes(const std::uint8_t* row, int bits, std::size_t count, std::uint8_t* out);

}  // namespace orvandel
