#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "generator/cell_row_counter.h"

namespace orvandel {

// Counts a row of cells of a map stored as indexes whose cells start on byte boundaries
// (8-bit indexes, or 4-bit and 1-bit with cells of a whole number of bytes), reading it as
// stored: a cell whose bytes all hold one index takes the mean worked out once for that
// index, and only cells of mixed colours are counted, a word of pixels at a time.
class StoredRowCounter : public CellRowCounter {
 public:
  // Whether the map's cells can be read as stored.
  static bool Reads(const MapImage& map, const GridLayout& grid);

  // Needs Reads(map, grid). All arguments must outlive the counter; the grid must lie inside
  // the map.
  StoredRowCounter(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                   const WritePreparation& prep);

 private:
  void CountRow(int r, RowSamples& out) override;
  void FillUniformMeans();
  void MarkRowDifferences(std::size_t bytes);
  std::uint8_t* Differences();
  template <int kBits>
  void SampleStoredCells(RowSamples& out);
  std::size_t UniformWordCells(std::size_t c, std::size_t columns);
  template <int kBits>
  CellMean StoredCellMean(std::size_t at);
  template <int kBits>
  CellMean MixedCellMean(std::size_t at);
  // take(code, pixels) for the codes of the cell at byte at, its rows gathered into words.
  template <int kBits, typename Take>
  void CountBytes(std::size_t at, Take&& take) const;
  // take(code, pixels) for the codes of the bytes of a cell in one stored row.
  template <int kBits, typename Take>
  void CountWords(const std::uint8_t* bytes, Take&& take) const;

  const MapImage& map_;
  int bits_ = 8;
  std::size_t cell_bytes_ = 0;                // the bytes of one cell in one stored row
  std::size_t cells_per_word_ = 0;            // when a cell is a whole fraction of a word
  std::array<bool, 256> uniform_byte_{};      // whether all pixels of a byte hold one code
  std::array<CellMean, 256> uniform_mean_{};  // of a cell all of whose bytes are this byte
  std::vector<const std::uint8_t*> rows_;     // the stored rows of the cell row
  std::vector<std::uint64_t> differs_;        // bytes where they differ from the first
  Counters cell_counts_{};                    // of one cell of mixed colours
};

}  // namespace orvandel
