#pragma once

#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel::test {

// A grid of columns x rows cells of cell_size pixels, Scale 1000, water at 0.
struct Sampling {
  Sampling(int columns, int rows, int cell_size);
  void SetHeight(int k, float height) { heights[static_cast<std::size_t>(k)] = {height, 1}; }
  // The heights of every cell, in vertex order: what a writer samples, rows counted on
  // threads threads.
  std::vector<float> CellHeights(const MapImage& map, const SwatchColours& swatches,
                                 ThreadCount threads = 1);

  GridLayout grid;
  GeneratorSettings settings;
  HeightTable heights;
  ViewMapping mapping;
};

// Heights for every palette index but each fourth (3, 7, 11, 15 stay unset), all
// different, so that a pixel counted for the wrong index changes its cell's height.
HeightTable MostlySetHeights();

// The cell heights of a grid of square cells of cell_size pixels laid over the whole map
// (cells that do not fit are left out).
std::vector<float> SampleAllCells(const MapImage& map, const SwatchColours& swatches, int cell_size,
                                  const HeightTable& heights);

}  // namespace orvandel::test
