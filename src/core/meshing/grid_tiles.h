#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"
#include "meshing/flat_blocks.h"
#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// The grid cut into square tiles of size x size grid squares (the last of a row or column
// smaller), which meet on lines of grid vertices that both neighbours share.
class GridTiles {
 public:
  // The grid needs at least two columns and two rows; size is a power of 2.
  GridTiles(const HeightGrid& grid, std::int32_t size);

  std::int32_t Count() const { return across_ * down_; }
  std::int32_t Size() const { return size_; }
  // Tiles in a row and in a column; tile k is number k % Across() of row k / Across().
  std::int32_t Across() const { return across_; }
  std::int32_t Down() const { return down_; }
  // Whether the grid vertex lies on a line where two tiles meet.
  bool OnInnerLine(LatticePoint p) const;
  // Fills mesh with tile k (from 0 to Count() - 1): its blocks of level ground as fans,
  // its other squares as the grid's triangles, and every vertex on its inner lines, fixed.
  void Mesh(std::int32_t k, DecimationMesh& mesh) const;

 private:
  // The vertices of a tile being meshed, by their place in it.
  class TileVertices;

  std::int32_t Lines(std::int32_t vertices) const { return (vertices - 2) / size_ + 1; }
  void AddTriangles(const SquareBlock& block, const TileVertices& ids, DecimationMesh& mesh,
                    std::vector<std::int32_t>& ring) const;

  const HeightGrid& grid_;
  std::int32_t size_;
  std::int32_t across_;
  std::int32_t down_;
};

}  // namespace orvandel
