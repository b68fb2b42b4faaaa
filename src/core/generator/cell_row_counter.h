#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "generator/pixel_classifier.h"
#include "orvandel/generator/cell_sampler.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/write_preparation.h"

namespace orvandel {

// Counts the palette indexes of the pixels of a row of cells and gives each cell its mean.
// A row is counted on its own, from the map alone, so rows may be counted in any order and
// by several counters at once (each with its own scratch memory); the fallback heights are
// resolved afterwards, in vertex order.
//
// A map stored as indexes whose cells start on byte boundaries (8-bit indexes, or 4-bit
// and 1-bit with cells of a whole number of bytes) is read as stored: a cell whose bytes
// all hold one index takes the mean worked out once for that index, and only cells of
// mixed colours are counted, a word of pixels at a time. Other maps are turned into one
// byte per pixel a row at a time and counted pixel by pixel.
class CellRowCounter {
 public:
  // All arguments must outlive the counter; the grid must lie inside the map.
  CellRowCounter(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                 const WritePreparation& prep);

  void SampleRow(int r, RowSamples& out);

 private:
  // Counters per cell: one per palette index, and one for pixels of no palette colour.
  static constexpr std::size_t kCounters = kNoPaletteIndex + 1;
  static constexpr std::uint32_t kAllCounters = (1u << kCounters) - 1;
  using Counters = std::array<std::uint64_t, kCounters>;
  struct CellMean {
    float mean = 0;
    std::uint8_t coloured = 0;
  };

  CellMean MeanOfCounts(const std::uint64_t* counters, std::uint32_t counted) const;
  void FillUniformMeans();
  void SampleStoredRow(int r, RowSamples& out);
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
  CellMean RememberedMean(const std::uint64_t* counters, std::uint32_t counted);
  void SamplePixelRows(int r, RowSamples& out);
  void CountRowPixels(int r);

  const MapImage& map_;
  const GridLayout& grid_;
  const WritePreparation& prep_;
  PixelClassifier classifier_;
  std::uint32_t set_entries_ = 0;        // a bit per palette index with a height
  std::uint32_t unbounded_heights_ = 0;  // a bit per set index whose height is not finite
  int bits_ = 8;
  bool read_as_stored_ = false;
  std::size_t cell_bytes_ = 0;                // the bytes of one cell in one stored row
  std::size_t cells_per_word_ = 0;            // when a cell is a whole fraction of a word
  std::array<bool, 256> uniform_byte_{};      // whether all pixels of a byte hold one code
  std::array<CellMean, 256> uniform_mean_{};  // of a cell all of whose bytes are this byte
  std::vector<const std::uint8_t*> rows_;     // the stored rows of the cell row
  std::vector<std::uint64_t> differs_;        // bytes where they differ from the first
  Counters cell_counts_{};                    // of one cell of mixed colours
  struct RememberedCell {
    std::uint64_t key = 0;  // 0 for none; see RememberedMean
    CellMean mean;
  };
  std::array<RememberedCell, 1024> remembered_{};
  std::vector<std::uint64_t> counts_;   // kCounters per cell, when counting by pixel
  std::vector<std::uint32_t> counted_;  // a bit per counter in use, per cell
};

}  // namespace orvandel
