#include "generator/cell_row_counter.h"

#include <cassert>

#include "generator/pixel_row_counter.h"
#include "generator/stored_row_counter.h"

namespace orvandel {

CellRowCounter::CellRowCounter(const MapImage& map, const SwatchColours& swatches,
                               const GridLayout& grid, const WritePreparation& prep)
    : grid_(grid), classifier_(map, swatches), means_(prep) {
  assert(grid.CellSize >= 1 && grid.Columns >= 0 && grid.Rows >= 0);
  assert(std::int64_t{grid.Columns} * grid.CellSize <= map.Width());
  assert(std::int64_t{grid.Rows} * grid.CellSize <= map.Height());
}

std::unique_ptr<CellRowCounter> CellRowCounter::For(const MapImage& map,
                                                    const SwatchColours& swatches,
                                                    const GridLayout& grid,
                                                    const WritePreparation& prep) {
  if (StoredRowCounter::Reads(map, grid))
    return std::make_unique<StoredRowCounter>(map, swatches, grid, prep);
  return std::make_unique<PixelRowCounter>(map, swatches, grid, prep);
}

void CellRowCounter::SampleRow(int r, RowSamples& out) {
  const auto columns = static_cast<std::size_t>(grid_.Columns);
  out.row = r;
  out.mean.assign(columns, 0);
  out.coloured.assign(columns, 0);
  CountRow(r, out);
}

}  // namespace orvandel
