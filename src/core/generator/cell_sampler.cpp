#include "orvandel/generator/cell_sampler.h"

#include "generator/cell_row_counter.h"

namespace orvandel {

CellSampler::CellSampler(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                         const ViewMapping& mapping, const WritePreparation& prep)
    : grid_(grid),
      mapping_(mapping),
      prep_(prep),
      counter_(std::make_unique<CellRowCounter>(map, swatches, grid, prep)),
      fallback_(prep.fallback) {
  column_x_.resize(static_cast<std::size_t>(grid.Columns));
  for (int c = 0; c < grid.Columns; ++c)
    column_x_[static_cast<std::size_t>(c)] = ColumnX(c);
}

CellSampler::~CellSampler() = default;

// The two axes of the mapping are independent: x depends on the column alone, y on the row.
float CellSampler::ColumnX(int c) const {
  return mapping_.PixelToWorld(c * grid_.CellSize + grid_.CellSize / 2, 0).x;
}

float CellSampler::RowY(int r) const {
  return mapping_.PixelToWorld(0, r * grid_.CellSize + grid_.CellSize / 2).y;
}

const RowSamples& CellSampler::SamplesOfRow(int r) {
  last_ = rows_[0].row == r || (rows_[1].row != r && rows_[0].row < rows_[1].row) ? 0 : 1;
  RowSamples& samples = rows_[last_];
  if (samples.row != r) {
    counter_->SampleRow(r, samples);
    samples.world_y = RowY(r);
  }
  return samples;
}

}  // namespace orvandel
