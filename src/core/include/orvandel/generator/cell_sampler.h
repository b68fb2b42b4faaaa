#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/geometry/vector3.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

class CellRowCounter;

// The cells of one row of the grid before any fallback height is applied: the mean scaled
// height of each cell's pixels of set colours, and whether it has any such pixel.
struct RowSamples {
  int row = -1;
  float world_y = 0;  // of the centre pixels of the row's cells
  std::vector<float> mean;
  std::vector<std::uint8_t> coloured;
};

// Samples the cells of the grid for one write. A cell's height is the pixel-weighted mean
// scaled height of the set colours among its pixels; a cell without any such pixel takes
// the fallback height, the height of the cell sampled just before it. No cell lies below
// the water level.
//
// The pixels of a whole row of cells are counted at once, and the two rows of cells used
// last are kept, so that sampling in vertex order or square by square reads every map
// pixel once. The results are those of sampling each cell on its own.
class CellSampler {
 public:
  // All arguments must outlive the sampler; the grid must lie inside the map.
  CellSampler(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
              const ViewMapping& mapping, const WritePreparation& prep);
  ~CellSampler();

  // The vertex of the cell in column c and row r: world x and y of its centre pixel and
  // its cell height. Sets the fallback height to that height.
  Vector3 SampleCell(int c, int r) {
    const RowSamples& row = rows_[last_].row == r ? rows_[last_] : SamplesOfRow(r);
    const auto column = static_cast<std::size_t>(c);
    float height = row.coloured[column] != 0 ? row.mean[column] : fallback_;
    if (!(height >= prep_.water)) height = prep_.water;
    fallback_ = height;
    return {column_x_[column], row.world_y, height};
  }

 private:
  // Counts row r of cells unless it is one of the two rows kept.
  const RowSamples& SamplesOfRow(int r);
  // World x of the centre pixels of the cells of column c, and y of those of row r.
  float ColumnX(int c) const;
  float RowY(int r) const;

  const GridLayout& grid_;
  const ViewMapping& mapping_;
  const WritePreparation& prep_;
  std::unique_ptr<CellRowCounter> counter_;
  float fallback_;
  std::array<RowSamples, 2> rows_;
  std::size_t last_ = 0;         // the one of rows_ used last
  std::vector<float> column_x_;  // the world x of every column, worked out once
};

}  // namespace orvandel
