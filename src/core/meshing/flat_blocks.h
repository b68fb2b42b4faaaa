#pragma once

#include <cstdint>
#include <vector>

#include "meshing/lattice.h"
#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// A square of size x size grid squares whose upper left vertex is corner.
struct SquareBlock {
  LatticePoint corner;
  std::int32_t size = 1;
};

// The grid squares of a rectangle gathered into the largest level blocks of a quadtree: a
// block whose vertices all have one height and whose triangles all have one class stays
// whole, any other splits into four, down to single squares.
//
// Level ground makes most of a map; a block of it is meshed at once instead of square by
// square, which leaves far fewer vertices to remove.
class FlatBlocks {
 public:
  // The rectangle of across x down squares from origin; both at most size, a power of 2.
  FlatBlocks(const HeightGrid& grid, LatticePoint origin, std::int32_t across, std::int32_t down,
             std::int32_t size);

  // The blocks that cover the rectangle, none overlapping.
  std::vector<SquareBlock> Leaves() const;

 private:
  // Whether block (i, j) of level k (2^k squares a side) lies inside and is level ground.
  bool Flat(int k, std::int32_t i, std::int32_t j) const;
  bool Inside(int k, std::int32_t i, std::int32_t j) const;
  void FindLevel0();
  void FindLevel(int k);
  void AddLeaves(int k, std::int32_t i, std::int32_t j, std::vector<SquareBlock>& leaves) const;
  LatticePoint CornerOf(int k, std::int32_t i, std::int32_t j) const {
    return {origin_.c + (i << k), origin_.r + (j << k)};
  }
  // Whether two flat blocks have one height and one class.
  bool Alike(LatticePoint a, LatticePoint b) const;

  const HeightGrid& grid_;
  LatticePoint origin_;
  std::int32_t across_;
  std::int32_t down_;
  int levels_ = 0;
  std::vector<std::vector<std::uint8_t>> flat_;  // by level, row by row
  std::vector<std::int32_t> width_;              // blocks per row, by level
};

}  // namespace orvandel
