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
// index beyond the table shows as black (packed 0).
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
  // Row y as colour-table indexes, Width() of them; only when ColourTable() is not empty.
  virtual const std::uint8_t* IndexRow(int /*y*/) const { return nullptr; }
};

}  // namespace orvandel
