#pragma once

#include <memory>

#include "generator/cell_mean_cache.h"
#include "generator/pixel_classifier.h"
#include "generator/row_samples.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/write_preparation.h"

namespace orvandel {

// Counts the palette indexes of the pixels of a row of cells and gives each cell its mean.
// A row is counted on its own, from the map alone, so rows may be counted in any order and
// by several counters at once (each with its own scratch memory); the fallback heights are
// resolved afterwards, in vertex order.
//
// Two kinds count: StoredRowCounter reads a map stored as indexes whose cells start on
// byte boundaries as it is stored; PixelRowCounter turns any other map into one byte per
// pixel a row at a time and counts pixel by pixel.
class CellRowCounter {
 public:
  // The counter that suits the map. All arguments must outlive the counter; the grid must
  // lie inside the map.
  static std::unique_ptr<CellRowCounter> For(const MapImage& map, const SwatchColours& swatches,
                                             const GridLayout& grid, const WritePreparation& prep);

  virtual ~CellRowCounter() = default;

  // The cells of row r, 0 <= r < grid.Rows.
  void SampleRow(int r, RowSamples& out);

 protected:
  CellRowCounter(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                 const WritePreparation& prep);

  // Fills out's mean and coloured, which hold a 0 per column, with the cells of row r.
  virtual void CountRow(int r, RowSamples& out) = 0;

  const GridLayout& grid_;
  PixelClassifier classifier_;
  CellMeanCache means_;
};

}  // namespace orvandel
