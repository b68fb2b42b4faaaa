#include "generator/stored_row_counter.h"

#include <algorithm>
#include <cassert>

#include "generator/packed_lanes.h"

namespace orvandel {
namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// A bit for every counter, for counts that hold 0 where they are not counted.
constexpr auto kAllCounters = static_cast<std::uint32_t>((std::uint64_t{1} << kCounters) - 1);

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

bool StoredRowCounter::Reads(const MapImage& map, const GridLayout& grid) {
  return !map.ColourTable().empty() && std::int64_t{grid.CellSize} * map.IndexBits() % 8 == 0;
}

StoredRowCounter::StoredRowCounter(const MapImage& map, const SwatchColours& swatches,
                                   const GridLayout& grid, const WritePreparation& prep)
    : CellRowCounter(map, swatches, grid, prep), map_(map), bits_(map.IndexBits()) {
  assert(Reads(map, grid));
  cell_bytes_ = static_cast<std::size_t>(std::int64_t{grid.CellSize} * bits_ / 8);
  cells_per_word_ = cell_bytes_ != 0 && 8 % cell_bytes_ == 0 ? 8 / cell_bytes_ : 0;
  FillUniformMeans();
}

// The mean of a cell all of whose bytes are one byte, whose pixels hold one code, is the
// same wherever the cell lies.
void StoredRowCounter::FillUniformMeans() {
  const auto& index = classifier_.IndexOfCode();
  const auto size = static_cast<std::uint64_t>(grid_.CellSize);
  for (unsigned byte = 0; byte < uniform_mean_.size(); ++byte) {
    const int code = UniformCodeOfByte(byte, bits_);
    uniform_byte_[byte] = code >= 0;
    if (code < 0) continue;
    Counters counters{};
    counters[index[static_cast<std::size_t>(code)]] = size * size;
    uniform_mean_[byte] = means_.MeanOfCounts(counters.data(), kAllCounters);
  }
}

void StoredRowCounter::CountRow(int r, RowSamples& out) {
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
void StoredRowCounter::MarkRowDifferences(std::size_t bytes) {
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

std::uint8_t* StoredRowCounter::Differences() {
  return reinterpret_cast<std::uint8_t*>(differs_.data());
}

// Where a cell takes a whole fraction of a word of each row, a word of one code over all
// rows makes all its cells uniform at once; a map's colour bands are mostly far wider than
// a cell. The number of cells from column c on that such a word covers, else 0.
inline std::size_t StoredRowCounter::UniformWordCells(std::size_t c, std::size_t columns) {
  const std::size_t at = c * cell_bytes_;
  if (cells_per_word_ == 0 || at % 8 != 0 || c + cells_per_word_ > columns) return 0;
  const std::uint8_t first = rows_[0][at];
  const bool uniform = uniform_byte_[first] && WordAt(rows_[0] + at) == first * kEveryByte &&
                       WordAt(Differences() + at) == 0;
  return uniform ? cells_per_word_ : 0;
}

template <int kBits>
void StoredRowCounter::SampleStoredCells(RowSamples& out) {
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
CellMean StoredRowCounter::StoredCellMean(std::size_t at) {
  const std::uint8_t first = rows_[0][at];
  const bool uniform = uniform_byte_[first] && AllBytesAre(rows_[0] + at, cell_bytes_, first) &&
                       AllBytesAre(Differences() + at, cell_bytes_, 0);
  return uniform ? uniform_mean_[first] : MixedCellMean<kBits>(at);
}

// The cell whose bytes start at byte at of each stored row, counted a word at a time: the
// bytes of all its rows gathered into words when it is narrower than a word, else the
// words of each row.
template <int kBits>
CellMean StoredRowCounter::MixedCellMean(std::size_t at) {
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
  const CellMean mean = means_.Mean(cell_counts_.data(), counted);
  ClearCounted(cell_counts_.data(), counted);
  return mean;
}

template <int kBits, typename Take>
void StoredRowCounter::CountBytes(std::size_t at, Take&& take) const {
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
void StoredRowCounter::CountWords(const std::uint8_t* bytes, Take&& take) const {
  const std::size_t words = cell_bytes_ / 8;
  for (std::size_t w = 0; w < words; ++w)
    CountLanes<kBits>(WordAt(bytes + 8 * w), kLaneBits<kBits>, take);
  const std::size_t tail = cell_bytes_ % 8;
  if (tail != 0) {
    CountLanes<kBits>(ShortWordAt(bytes + 8 * words, tail), LanesOfBytes<kBits>(tail), take);
  }
}

}  // namespace orvandel
