#pragma once

#include <cstddef>

#include "fileio/parallel_parts.h"

namespace orvandel {

// visit(n, c, r) for every vertex n of range in order, c and r being its column and row in
// a grid of columns columns; no division per vertex.
template <typename Visit>
void ForEachVertexIn(PartRange range, std::size_t columns, Visit&& visit) {
  if (range.begin >= range.end) return;
  std::size_t c = range.begin % columns;
  std::size_t r = range.begin / columns;
  for (std::size_t n = range.begin; n < range.end; ++n) {
    visit(n, c, r);
    if (++c == columns) {
      c = 0;
      ++r;
    }
  }
}

}  // namespace orvandel
