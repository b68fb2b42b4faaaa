#include "generator/pixel_row_counter.h"

namespace orvandel {
namespace {

// Adds one cell's pixels of one row to its counters, and their bits to counted. The
// pixels of a cell mostly share one colour: the run at the start is counted at once.
void CountSegment(const std::uint8_t* code, int size, const std::array<std::uint8_t, 256>& index,
                  std::uint64_t* counters, std::uint32_t& counted) {
  const std::uint8_t first = code[0];
  int same = 1;
  while (same < size && code[same] == first)
    ++same;
  counters[index[first]] += static_cast<std::uint64_t>(same);
  counted |= 1u << index[first];
  for (int i = same; i < size; ++i) {
    ++counters[index[code[i]]];
    counted |= 1u << index[code[i]];
  }
}

}  // namespace

// The counters of the cells stay cleared between rows: each cell clears what it counted.
void PixelRowCounter::CountRow(int r, RowSamples& out) {
  counts_.resize(out.mean.size() * kCounters);
  counted_.assign(out.mean.size(), 0);
  CountRowPixels(r);
  for (std::size_t c = 0; c < out.mean.size(); ++c) {
    const CellMean cell = means_.Mean(&counts_[c * kCounters], counted_[c]);
    ClearCounted(&counts_[c * kCounters], counted_[c]);
    out.mean[c] = cell.mean;
    out.coloured[c] = cell.coloured;
  }
}

void PixelRowCounter::CountRowPixels(int r) {
  const int size = grid_.CellSize;
  const int used_width = grid_.Columns * size;
  const auto& index = classifier_.IndexOfCode();
  for (int y = r * size; y < (r + 1) * size; ++y) {
    const std::uint8_t* codes = classifier_.RowCodes(y, used_width);
    for (std::size_t c = 0; c < counted_.size(); ++c) {
      CountSegment(codes + c * static_cast<std::size_t>(size), size, index, &counts_[c * kCounters],
                   counted_[c]);
    }
  }
}

}  // namespace orvandel
