#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/mapinput/map_image.h"

namespace orvandel::test {

// A map image in memory, either as colour-table indexes or as packed colours.
class FakeMap : public MapImage {
 public:
  // Indexes into table, top row first.
  FakeMap(int width, int height, std::vector<PackedColour> table,
          std::vector<std::uint8_t> indexes);
  // Packed colours, top row first.
  FakeMap(int width, int height, std::vector<PackedColour> colours);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void ReadRow(int y, std::span<PackedColour> out) const override;
  std::span<const PackedColour> ColourTable() const override { return table_; }
  const std::uint8_t* IndexRow(int y) const override;

 private:
  int width_;
  int height_;
  std::vector<PackedColour> table_;
  std::vector<std::uint8_t> indexes_;
  std::vector<PackedColour> colours_;
};

}  // namespace orvandel::test
