#pragma once

#include <cstdint>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

// Each cell's own height in vertex order: the pixel-weighted mean scaled height of the set
// colours among its pixels, raised to the water level, where coloured is not 0; a cell
// without any such pixel has none.
struct OwnHeights {
  std::vector<float> height;
  std::vector<std::uint8_t> coloured;
};

// Samples the cells of the grid for one write. A cell's height is its own height (see
// OwnHeights); a cell without one takes the fallback height, the height of the cell
// sampled just before it, and the first cell sampled the mean scaled height of the set
// colours; no cell lies below the water level.
//
// A row of cells is counted from the map alone, so the rows are counted in bands, one
// band per thread, every map pixel once; only the fallback heights depend on the order of
// sampling, and they are filled in afterwards. The results never depend on the threads.
class CellSampler {
 public:
  // All arguments must outlive the sampler; the grid must lie inside the map.
  CellSampler(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
              const ViewMapping& mapping, const WritePreparation& prep);

  // World x of the centre pixels of the cells of column c, and y of those of row r.
  float ColumnX(int c) const { return column_x_[static_cast<std::size_t>(c)]; }
  float RowY(int r) const { return row_y_[static_cast<std::size_t>(r)]; }

  // The height that a cell without its own height takes when it is sampled first.
  float FirstFallback() const { return Raised(prep_.fallback); }

  // The height of every cell as sampling each once in vertex order gives it (row 0 from
  // left to right, then row 1, ...): a cell without its own height takes that of the cell
  // before it. Rows are counted on up to threads threads.
  std::vector<float> HeightsInVertexOrder(ThreadCount threads) const;

  // The own height of every cell, for sampling in another order; rows are counted on up to
  // threads threads.
  OwnHeights CountOwnHeights(ThreadCount threads) const;

 private:
  float Raised(float height) const { return height >= prep_.water ? height : prep_.water; }
  // take(part, row) for every row of cells, the rows of part p forming band p of parts.
  template <typename Take>
  void CountRows(unsigned parts, Take&& take) const;

  const MapImage& map_;
  const SwatchColours& swatches_;
  const GridLayout& grid_;
  const WritePreparation& prep_;
  std::vector<float> column_x_;
  std::vector<float> row_y_;
};

}  // namespace orvandel
