#pragma once

#include <cstddef>
#include <vector>

#include "writers/square_classes.h"
#include "writers/text_piece.h"

namespace orvandel {

// The vertex numbers of the upper and the lower row of cells of one row of grid squares as
// text, for the faces of its squares. Walking down a band of rows of squares formats each
// number once: the lower row of one row of squares is the upper row of the next.
class SquareRowNumbers {
 public:
  explicit SquareRowNumbers(std::size_t columns) : upper_(columns), lower_(columns) {}

  // Makes r the row of squares: the numbers of row r of cells above, of row r + 1 below.
  void MoveTo(std::size_t r);

  const NumberPiece& Upper(std::size_t c) const { return upper_[c]; }
  const NumberPiece& Lower(std::size_t c) const { return lower_[c]; }

 private:
  void Format(std::size_t row, std::vector<NumberPiece>& numbers) const;

  static constexpr std::size_t kNone = ~std::size_t{0};
  std::size_t row_ = kNone;
  std::vector<NumberPiece> upper_;
  std::vector<NumberPiece> lower_;
};

// visit(r, c, vertex, first, second) for every grid square in the rows of squares
// [rows.begin, rows.end), in row-major order: its row and column, the vertex numbers of its
// row of squares, and the height classes of its two triangles (see
// ForEachSquareRowClasses).
template <typename Visit>
void ForEachNumberedSquare(const std::vector<float>& heights, const GridLayout& grid,
                           const WritePreparation& prep, PartRange rows, Visit&& visit) {
  const auto columns = static_cast<std::size_t>(grid.Columns);
  SquareRowNumbers vertex(columns);
  ForEachSquareRowClasses(
      heights, grid, prep, rows,
      [&](std::size_t r, const std::int32_t* first, const std::int32_t* second) {
        vertex.MoveTo(r);
        for (std::size_t c = 0; c + 1 < columns; ++c)
          visit(r, c, static_cast<const SquareRowNumbers&>(vertex), first[c], second[c]);
      });
}

}  // namespace orvandel
