#pragma once

#include <cstdint>
#include <vector>

namespace orvandel {

// The cells of one row of the grid before any fallback height is applied: the mean scaled
// height of each cell's pixels of set colours, and whether it has any such pixel.
struct RowSamples {
  int row = -1;
  std::vector<float> mean;
  std::vector<std::uint8_t> coloured;
};

}  // namespace orvandel
