#include "sampling.h"

#include "orvandel/generator/cell_sampler.h"

namespace orvandel::test {

HeightTable MostlySetHeights() {
  HeightTable heights;
  for (std::size_t k = 0; k < heights.size(); ++k) {
    if (k % 4 != 3) heights[k] = {static_cast<float>(37 * k + 11), 1};
  }
  return heights;
}

std::vector<float> SampleAllCells(const MapImage& map, const SwatchColours& swatches, int cell_size,
                                  const HeightTable& heights) {
  GridLayout grid;
  grid.CellSize = cell_size;
  grid.ImageWidth = map.Width();
  grid.ImageHeight = map.Height();
  grid.Columns = map.Width() / cell_size;
  grid.Rows = map.Height() / cell_size;
  GeneratorSettings settings;
  settings.Scale = 1000;
  ViewMapping mapping;
  mapping.SetWindow(-1, -1, 1, 1);
  mapping.SetViewport(0, 0, grid.ImageWidth - 1, grid.ImageHeight - 1);
  const WritePreparation prep = PrepareWrite(heights, settings);
  CellSampler sampler(map, swatches, grid, mapping, prep);
  std::vector<float> cells;
  for (int r = 0; r < grid.Rows; ++r) {
    for (int c = 0; c < grid.Columns; ++c)
      cells.push_back(sampler.SampleCell(c, r).z);
  }
  return cells;
}

}  // namespace orvandel::test
