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

class PixelClassifier;

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
  Vector3 SampleCell(int c, int r);

 private:
  struct RowSamples {
    int row = -1;
    std::vector<float> mean;
    std::vector<std::uint8_t> coloured;
  };

  const RowSamples& SamplesOfRow(int r);
  void CountRowPixels(int r);
  void SampleRow(int r, RowSamples& samples);

  const GridLayout& grid_;
  const ViewMapping& mapping_;
  const WritePreparation& prep_;
  std::unique_ptr<PixelClassifier> classifier_;
  float fallback_;
  std::array<bool, 16> finite_height_;
  std::array<RowSamples, 2> rows_;
  std::vector<std::uint32_t> counts_;
};

}  // namespace orvandel
