#include "sampling.h"

#include "orvandel/generator/cell_sampler.h"

namespace orvandel::test {

Sampling::Sampling(int columns, int rows, int cell_size) {
  grid.CellSize = cell_size;
  grid.Columns = columns;
  grid.Rows = rows;
  grid.ImageWidth = columns * cell_size;
  grid.ImageHeight = rows * cell_size;
  grid.VertexCount = columns * rows;
  settings.Scale = 1000;
  mapping.SetWindow(-1, -1, 1, 1);
  mapping.SetViewport(0, 0, grid.ImageWidth - 1, grid.ImageHeight - 1);
}

std::vector<float> Sampling::CellHeights(const MapImage& map, const SwatchColours& swatches,
                                         ThreadCount threads) {
  const WritePreparation prep = PrepareWrite(heights, settings);
  return CellSampler(map, swatches, grid, mapping, prep).HeightsInVertexOrder(threads);
}

HeightTable MostlySetHeights() {
  HeightTable heights;
  for (std::size_t k = 0; k < heights.size(); ++k) {
    if (k % 4 != 3) heights[k] = {static_cast<float>(37 * k + 11), 1};
  }
  return heights;
}

std::vector<float> SampleAllCells(const MapImage& map, const SwatchColours& swatches, int cell_size,
                                  const HeightTable& heights) {
  Sampling sampling(map.Width() / cell_size, map.Height() / cell_size, cell_size);
  sampling.heights = heights;
  return sampling.CellHeights(map, swatches);
}

}  // namespace orvandel::test
