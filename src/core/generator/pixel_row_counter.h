#pragma once

#include <cstdint>
#include <vector>

#include "generator/cell_row_counter.h"

namespace orvandel {

// Counts a row of cells pixel by pixel, from one byte per pixel: a map of colours, or one
// of indexes whose cells do not start on byte boundaries.
class PixelRowCounter : public CellRowCounter {
 public:
  // All arguments must outlive the counter; the grid must lie inside the map.
  PixelRowCounter(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                  const WritePreparation& prep)
      : CellRowCounter(map, swatches, grid, prep) {}

 private:
  void CountRow(int r, RowSamples& out) override;
  void CountRowPixels(int r);

  std::vector<std::uint64_t> counts_;   // kCounters per cell
  std::vector<std::uint32_t> counted_;  // a bit per counter in use, per cell
};

}  // namespace orvandel
