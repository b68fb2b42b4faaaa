#include "generator/cell_row_counter.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>

#include "generator/packed_lanes.h"

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

// Clears the counters that counted names.
void ClearCounted(std::uint64_t* counters, std::uint32_t counted) {
  for (; counted != 0; counted &= counted - 1)
    counters[std::countr_zero(counted)] = 0;
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

bool AllBytesAre(const std::uint8_t* bytes, std::size_t count, std::uint8_t value) {
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    if (WordAt(bytes + i) != value * kEveryByte) return false;
  }
  for (; i < count; ++i) {
    if (bytes[i] != value) return false;
  }
  return true;
}

// The index that every pixel of a stored byte holds, or -1 when they differ.
int UniformCodeOfByte(unsigned byte, int bits) {
  if (bits == 8) return static_cast<int>(byte);
  if (bits == 4) return byte >> 4 == (byte & 15) ? static_cast<int>(byte & 15) : -1;
  return byte == 0 ? 0 : byte == 0xFF ? 1 : -1;
}

}  // namespace

CellRowCounter::CellRowCounter(const MapImage& map, const SwatchColours& swatches,
                               const GridLayout& grid, const WritePreparation& prep)
    : map_(map), grid_(grid), prep_(prep), classifier_(map, swatches) {
  assert(grid.CellSize >= 1 && grid.Columns >= 0 && grid.Rows >= 0);
  assert(std::int64_t{grid.Columns} * grid.CellSize <= map.Width());
  assert(std::int64_t{grid.Rows} * grid.CellSize <= map.Height());
  for (std::size_t k = 0; k < prep.is_set.size(); ++k) {
    if (!prep.is_set[k]) continue;
    set_entries_ |= 1u << k;
    if (!std::isfinite(prep.scaled_height[k])) unbounded_heights_ |= 1u << k;
  }
  bits_ = map.IndexBits();
  const std::int64_t cell_bits = std::int64_t{grid.CellSize} * bits_;
  read_as_stored_ = !map.ColourTable().empty() && cell_bits % 8 == 0;
  cell_bytes_ = static_cast<std::size_t>(cell_bits / 8);
  cells_per_word_ = cell_bytes_ != 0 && 8 % cell_bytes_ == 0 ? 8 / cell_bytes_ : 0;
  if (read_as_stored_) FillUniformMeans();
}

void CellRowCounter::SampleRow(int r, RowSamples& out) {
  const auto columns = static_cast<std::size_t>(grid_.Columns);
  out.row = r;
  out.mean.assign(columns, 0);
  out.coloured.assign(columns, 0);
  if (read_as_stored_) {
    SampleStoredRow(r, out);
  } else {
    SamplePixelRows(r, out);
  }
}

// Over the set entries only, in index order: pixels of colours without a height count for
// nothing, neither in the total nor in the weighted sum. Entries whose counters are not
// in counted hold 0. Adding 0 x a finite height changes nothing, so only counted entries
// and those of heights that are not finite are added; most cells hold one or two colours.
CellRowCounter::CellMean CellRowCounter::MeanOfCounts(const std::uint64_t* counters,
                                                      std::uint32_t counted) const {
  std::int64_t total = 0;
  float weighted = 0;
  for (std::uint32_t entries = (counted | unbounded_heights_) & set_entries_; entries != 0;
       entries &= entries - 1) {
    const auto k = static_cast<std::size_t>(std::countr_zero(entries));
    const std::uint64_t count = counters[k];
    if (count == 0 && (unbounded_heights_ >> k & 1) == 0) continue;
    total += static_cast<std::int64_t>(count);
    weighted =
        static_cast<float>(weighted + static_cast<long double>(count) * prep_.scaled_height[k]);
  }
  if (total == 0) return {};
  return {static_cast<float>(weighted / static_cast<long double>(total)), 1};
}

// The mean of a cell all of whose bytes are one byte, whose pixels hold one code, is the
// same wherever the cell lies.
void CellRowCounter::FillUniformMeans() {
  const auto& index = classifier_.IndexOfCode();
  const auto size = static_cast<std::uint64_t>(grid_.CellSize);
  for (unsigned byte = 0; byte < uniform_mean_.size(); ++byte) {
    const int code = UniformCodeOfByte(byte, bits_);
    uniform_byte_[byte] = code >= 0;
    if (code < 0) continue;
    Counters counters{};
    counters[index[static_cast<std::size_t>(code)]] = size * size;
    uniform_mean_[byte] = MeanOfCounts(counters.data(), kAllCounters);
  }
}

void CellRowCounter::SampleStoredRow(int r, RowSamples& out) {
  rows_.resize(static_cast<std::size_t>(grid_.CellSize));
  for (std::size_t i = 0; i < rows_.size(); ++i)
    rows_[i] = map_.IndexRow(r * grid_.CellSize + static_cast<int>(i));
  MarkRowDifferences(out.mean.size() * cell_bytes_);
  if (bits_ == 8) {
    SampleStoredCells<8>(out);
  } else if (bits_ == 4) {
    SampleStoredCells<4>(out);
  } else {
    SampleStoredCells<1>(out);
  }
}

// A byte of differs_ is not zero where some row of the cell row differs from the first.
void CellRowCounter::MarkRowDifferences(std::size_t bytes) {
  const std::size_t words = bytes / 8;
  differs_.assign(words + 1, 0);
  const std::uint8_t* first = rows_[0];
  for (std::size_t i = 1; i < rows_.size(); ++i) {
    const std::uint8_t* row = rows_[i];
    for (std::size_t w = 0; w < words; ++w)
      differs_[w] |= WordAt(row + 8 * w) ^ WordAt(first + 8 * w);
    for (std::size_t b = 8 * words; b < bytes; ++b)
      Differences()[b] |= static_cast<std::uint8_t>(row[b] ^ first[b]);
  }
}

std::uint8_t* CellRowCounter::Differences() {
  return reinterpret_cast<std::uint8_t*>(differs_.data());
}

// Where a cell takes a whole fraction of a word of each row, a word of one code over all
// rows makes all its cells uniform at once; a map's colour bands are mostly far wider than
// a cell. The number of cells from column c on that such a word covers, else 0.
inline std::size_t CellRowCounter::UniformWordCells(std::size_t c, std::size_t columns) {
  const std::size_t at = c * cell_bytes_;
  if (cells_per_word_ == 0 || at % 8 != 0 || c + cells_per_word_ > columns) return 0;
  const std::uint8_t first = rows_[0][at];
  const bool uniform = uniform_byte_[first] && WordAt(rows_[0] + at) == first * kEveryByte &&
                       WordAt(Differences() + at) == 0;
  return uniform ? cells_per_word_ : 0;
}

template <int kBits>
void CellRowCounter::SampleStoredCells(RowSamples& out) {
  const std::size_t columns = out.mean.size();
  for (std::size_t c = 0; c < columns;) {
    const std::size_t same = UniformWordCells(c, columns);
    const CellMean cell = same != 0 ? uniform_mean_[rows_[0][c * cell_bytes_]]
                                    : StoredCellMean<kBits>(c * cell_bytes_);
    for (const std::size_t end = c + std::max<std::size_t>(same, 1); c < end; ++c) {
      out.mean[c] = cell.mean;
      out.coloured[c] = cell.coloured;
    }
  }
}

// The cell whose bytes start at byte at of each stored row.
template <int kBits>
CellRowCounter::CellMean CellRowCounter::StoredCellMean(std::size_t at) {
  const std::uint8_t first = rows_[0][at];
  const bool uniform = uniform_byte_[first] && AllBytesAre(rows_[0] + at, cell_bytes_, first) &&
                       AllBytesAre(Differences() + at, cell_bytes_, 0);
  return uniform ? uniform_mean_[first] : MixedCellMean<kBits>(at);
}

// The cell whose bytes start at byte at of each stored row, counted a word at a time: the
// bytes of all its rows gathered into words when it is narrower than a word, else the
// words of each row.
template <int kBits>
CellRowCounter::CellMean CellRowCounter::MixedCellMean(std::size_t at) {
  const auto& index = classifier_.IndexOfCode();
  std::uint32_t counted = 0;
  const auto take = [&](unsigned code, std::uint64_t pixels) {
    const std::uint8_t k = index[code];
    cell_counts_[k] += pixels;
    counted |= 1u << k;
  };
  if (cell_bytes_ < 8) {
    CountBytes<kBits>(at, take);
  } else {
    for (const std::uint8_t* row : rows_)
      CountWords<kBits>(row + at, take);
  }
  const CellMean mean = RememberedMean(cell_counts_.data(), counted);
  ClearCounted(cell_counts_.data(), counted);
  return mean;
}

template <int kBits, typename Take>
void CellRowCounter::CountBytes(std::size_t at, Take&& take) const {
  std::uint64_t word = 0;
  std::size_t filled = 0;
  for (const std::uint8_t* row : rows_) {
    for (std::size_t i = at; i < at + cell_bytes_; ++i) {
      word |= std::uint64_t{row[i]} << 8 * filled;
      if (++filled < 8) continue;
      CountLanes<kBits>(word, kLaneBits<kBits>, take);
      word = 0;
      filled = 0;
    }
  }
  if (filled != 0) CountLanes<kBits>(word, LanesOfBytes<kBits>(filled), take);
}

template <int kBits, typename Take>
void CellRowCounter::CountWords(const std::uint8_t* bytes, Take&& take) const {
  const std::size_t words = cell_bytes_ / 8;
  for (std::size_t w = 0; w < words; ++w)
    CountLanes<kBits>(WordAt(bytes + 8 * w), kLaneBits<kBits>, take);
  const std::size_t tail = cell_bytes_ % 8;
  if (tail != 0) {
    CountLanes<kBits>(ShortWordAt(bytes + 8 * words, tail), LanesOfBytes<kBits>(tail), take);
  }
}

// Most cells hold one or two set colours, in counts that recur all over the map (a whole
// cell of one colour, or the same share of two along the border of two bands): their means
// are remembered by the colours and counts, which decide them.
CellRowCounter::CellMean CellRowCounter::RememberedMean(const std::uint64_t* counters,
                                                        std::uint32_t counted) {
  const std::uint32_t entries = counted & set_entries_;
  const int first = std::countr_zero(entries | 1u << 16);
  const int last = 31 - std::countl_zero(entries | 1u);
  const std::uint64_t first_count = counters[static_cast<std::size_t>(first) & 15];
  const std::uint64_t last_count = counters[static_cast<std::size_t>(last)];
  if (CountBits(entries) > 2 || first_count >= 1u << 23 || last_count >= 1u << 23) {
    return MeanOfCounts(counters, counted);
  }
  // 1 bit for a key in use, 16 for the entries, 23 for each count.
  const std::uint64_t key = 1 | std::uint64_t{entries} << 1 | first_count << 17 | last_count << 40;
  RememberedCell& slot = remembered_[(key * 0x9E3779B97F4A7C15u) >> 54];
  if (slot.key != key) slot = {key, MeanOfCounts(counters, counted)};
  return slot.mean;
}

// The counters of the cells stay cleared between rows: each cell clears what it counted.
void CellRowCounter::SamplePixelRows(int r, RowSamples& out) {
  counts_.resize(out.mean.size() * kCounters);
  counted_.assign(out.mean.size(), 0);
  CountRowPixels(r);
  for (std::size_t c = 0; c < out.mean.size(); ++c) {
    const CellMean cell = RememberedMean(&counts_[c * kCounters], counted_[c]);
    ClearCounted(&counts_[c * kCounters], counted_[c]);
    out.mean[c] = cell.mean;
    out.coloured[c] = cell.coloured;
  }
}

void CellRowCounter::CountRowPixels(int r) {
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
