#pragma once

#include <vector>

#include "orvandel/generator/generator_state.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel::test {

// Heights for every palette index but each fourth (3, 7, 11, 15 stay unset), all
// different, so that a pixel counted for the wrong index changes its cell's height.
HeightTable MostlySetHeights();

// The heights of every cell, in vertex order, of a grid of square cells of cell_size
// pixels laid over the whole map (cells that do not fit are left out), Scale 1000 and water
// at 0: what a writer samples.
std::vector<float> SampleAllCells(const MapImage& map, const SwatchColours& swatches, int cell_size,
                                  const HeightTable& heights);

}  // namespace orvandel::test
