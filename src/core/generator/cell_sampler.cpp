#include "orvandel/generator/cell_sampler.h"

#include <algorithm>

#include "fileio/parallel_parts.h"
#include "generator/cell_row_counter.h"

namespace orvandel {
namespace {

// How the cells of one band of rows take their heights in vertex order before the height
// before the band is known: the cells up to the first one with its own height (leading)
// wait for it; from there on, each cell without its own height takes last.
struct BandChain {
  std::size_t leading = 0;
  bool found = false;
  float last = 0;
};

}  // namespace

// The two axes of the mapping are independent: x depends on the column alone, y on the row.
CellSampler::CellSampler(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                         const ViewMapping& mapping, const WritePreparation& prep)
    : map_(map), swatches_(swatches), grid_(grid), prep_(prep) {
  const int half = grid.CellSize / 2;
  for (int c = 0; c < grid.Columns; ++c)
    column_x_.push_back(mapping.PixelToWorld(c * grid.CellSize + half, 0).x);
  for (int r = 0; r < grid.Rows; ++r)
    row_y_.push_back(mapping.PixelToWorld(0, r * grid.CellSize + half).y);
}

template <typename Take>
void CellSampler::CountRows(unsigned parts, Take&& take) const {
  RunParts(parts, [&](unsigned part) {
    const auto counter = CellRowCounter::For(map_, swatches_, grid_, prep_);
    RowSamples row;
    const PartRange band = PartOf(static_cast<std::size_t>(grid_.Rows), parts, part);
    for (std::size_t r = band.begin; r < band.end; ++r) {
      counter->SampleRow(static_cast<int>(r), row);
      take(part, row);
    }
  });
}

std::vector<float> CellSampler::HeightsInVertexOrder(ThreadCount threads) const {
  const auto columns = static_cast<std::size_t>(grid_.Columns);
  std::vector<float> heights(columns * static_cast<std::size_t>(grid_.Rows));
  const unsigned parts = PartsFor(static_cast<std::size_t>(grid_.Rows), threads);
  std::vector<BandChain> chains(parts);
  CountRows(parts, [&](unsigned part, const RowSamples& row) {
    BandChain& chain = chains[part];
    float* height = heights.data() + static_cast<std::size_t>(row.row) * columns;
    for (std::size_t c = 0; c < columns; ++c) {
      if (row.coloured[c] != 0) {
        chain.found = true;
        chain.last = Raised(row.mean[c]);
      } else if (!chain.found) {
        ++chain.leading;
        continue;
      }
      height[c] = chain.last;
    }
  });
  // Each band's leading cells take the last height of the band before.
  float before = FirstFallback();
  for (unsigned part = 0; part < parts; ++part) {
    const std::size_t first =
        PartOf(static_cast<std::size_t>(grid_.Rows), parts, part).begin * columns;
    std::fill_n(heights.begin() + static_cast<std::ptrdiff_t>(first), chains[part].leading, before);
    if (chains[part].found) before = chains[part].last;
  }
  return heights;
}

OwnHeights CellSampler::CountOwnHeights(ThreadCount threads) const {
  const auto columns = static_cast<std::size_t>(grid_.Columns);
  OwnHeights own;
  own.height.resize(columns * static_cast<std::size_t>(grid_.Rows));
  own.coloured.resize(own.height.size());
  CountRows(PartsFor(static_cast<std::size_t>(grid_.Rows), threads),
            [&](unsigned, const RowSamples& row) {
              const std::size_t first = static_cast<std::size_t>(row.row) * columns;
              for (std::size_t c = 0; c < columns; ++c) {
                own.coloured[first + c] = row.coloured[c];
                own.height[first + c] = row.coloured[c] != 0 ? Raised(row.mean[c]) : 0;
              }
            });
  return own;
}

}  // namespace orvandel
