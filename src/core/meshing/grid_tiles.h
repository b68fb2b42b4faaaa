#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"
#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// The grid cut into square tiles of size x size grid squares (the last of a row or column
// smaller), which meet on lines of grid vertices that both neighbours share.
class GridTiles {
 public:
  // The grid needs at least two columns and two rows.
  GridTiles(const HeightGrid& grid, std::int32_t size);

  std::int32_t Count() const { return across_ * down_; }
  std::int32_t Size() const { return size_; }
  // Tiles in a row and in a column; tile k is number k % Across() of row k / Across().
  std::int32_t Across() const { return across_; }
  std::int32_t Down() const { return down_; }
  // Whether the grid vertex lies on a line where two tiles meet.
  bool OnInnerLine(LatticePoint p) const;
  // Fills mesh with tile k (from 0 to Count() - 1): each run of level squares of one class
  // along a row as one strip, its other squares as the grid's triangles, and every vertex
  // on its inner lines, fixed.
  void Mesh(std::int32_t k, DecimationMesh& mesh) const;

 private:
  // The vertices of a tile being meshed, by their place in it.
  class TileVertices;
  // The squares of row first.r from column first.c to column last - 1: one run of level
  // ground of one class, or one square that is not level.
  struct RowRun {
    LatticePoint first;
    std::int32_t last = 0;
    bool level = false;
  };

  std::int32_t Lines(std::int32_t vertices) const { return (vertices - 2) / size_ + 1; }
  // Whether the square whose upper left vertex is p is level ground of one class.
  bool Level(LatticePoint p) const;
  // The runs of row r of squares, from column first to column last.
  void FindRuns(std::int32_t r, std::int32_t first, std::int32_t last,
                std::vector<RowRun>& runs) const;
  void AddTriangles(const RowRun& run, const TileVertices& ids, DecimationMesh& mesh,
                    std::vector<std::int32_t>& top, std::vector<std::int32_t>& bottom) const;

  const HeightGrid& grid_;
  std::int32_t size_;
  std::int32_t across_;
  std::int32_t down_;
};

}  // namespace orvandel
