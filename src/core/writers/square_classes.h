#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "fileio/parallel_parts.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The height classes of the triangles of one row of grid squares, from the heights of its
// upper and lower row of cells; first[c] and second[c] are those of the two triangles of
// the square in column c (see SquareTriangles), c from 0 to count - 2.
//
// Each class stands for an interval of mean heights, and the mean of three corners lies
// between the lowest and the highest of them, also once rounded (the rounded mean never
// passes a float it lies beside). So a triangle whose corners alone all have one class
// has that class, and only the others need their mean: most triangles of a map lie within
// one band of colour. upper_classes and lower_classes are the corners' own classes.
void ClassesOfSquareRow(const float* upper, const float* lower, const std::int32_t* upper_classes,
                        const std::int32_t* lower_classes, std::size_t count,
                        const WritePreparation& prep, std::int32_t* first, std::int32_t* second);

// The height class of each of count cell heights, taken as a triangle's mean height.
void CornerClasses(const float* heights, std::size_t count, const WritePreparation& prep,
                   std::int32_t* classes);

// visit(r, first, second) for every row r of grid squares in [rows.begin, rows.end), in
// order: first and second as ClassesOfSquareRow gives them, from heights in vertex order.
template <typename Visit>
void ForEachSquareRowClasses(const std::vector<float>& heights, const GridLayout& grid,
                             const WritePreparation& prep, PartRange rows, Visit&& visit) {
  const auto columns = static_cast<std::size_t>(grid.Columns);
  if (rows.begin >= rows.end || columns < 2) return;
  std::vector<std::int32_t> upper(columns), lower(columns), first(columns), second(columns);
  CornerClasses(&heights[rows.begin * columns], columns, prep, upper.data());
  for (std::size_t r = rows.begin; r < rows.end; ++r) {
    const float* top = &heights[r * columns];
    CornerClasses(top + columns, columns, prep, lower.data());
    ClassesOfSquareRow(top, top + columns, upper.data(), lower.data(), columns, prep, first.data(),
                       second.data());
    visit(r, static_cast<const std::int32_t*>(first.data()),
          static_cast<const std::int32_t*>(second.data()));
    std::swap(upper, lower);
  }
}

}  // namespace orvandel
