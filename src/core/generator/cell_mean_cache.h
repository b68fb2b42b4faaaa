#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "generator/packed_lanes.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/mapinput/swatches.h"

namespace orvandel {

// Counters per cell: one per palette index, and one for pixels of no palette colour. A
// uint32_t holds a bit per counter ("counted": the counters in use).
inline constexpr std::size_t kCounters = kNoPaletteIndex + 1;
static_assert(kCounters <= 32);
using Counters = std::array<std::uint64_t, kCounters>;

// A cell's mean scaled height over its pixels of set colours; coloured is 0 when it has
// none, and the mean is then 0.
struct CellMean {
  float mean = 0;
  std::uint8_t coloured = 0;
};

// Clears the counters that counted names.
inline void ClearCounted(std::uint64_t* counters, std::uint32_t counted) {
  for (; counted != 0; counted &= counted - 1)
    counters[std::countr_zero(counted)] = 0;
}

// Works out the means of cells from the counts of their pixels per palette index. Most
// cells hold one or two set colours, in counts that recur all over the map (a whole cell of
// one colour, or the same share of two along the border of two bands): their means are
// remembered by the colours and counts, which decide them. Counters not in counted must
// hold 0.
class CellMeanCache {
 public:
  // prep must outlive the cache.
  explicit CellMeanCache(const WritePreparation& prep);

  // The mean, worked out afresh.
  CellMean MeanOfCounts(const std::uint64_t* counters, std::uint32_t counted) const;

  // The mean, remembered where the cell holds at most two set colours.
  CellMean Mean(const std::uint64_t* counters, std::uint32_t counted) {
    const std::uint32_t entries = counted & set_entries_;
    if (entries == 0) return {};  // no pixel of a set colour
    const std::uint64_t first_count = counters[std::countr_zero(entries)];
    const std::uint64_t last_count = counters[std::bit_width(entries) - 1];
    if (CountBits(entries) > 2 || first_count >> kCountBits != 0 || last_count >> kCountBits != 0) {
      return MeanOfCounts(counters, counted);
    }
    const std::uint64_t key =
        1 | std::uint64_t{entries} << 1 | first_count << kFirstCountAt | last_count << kLastCountAt;
    Slot& slot = slots_[(key * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
    if (slot.key != key) slot = {key, MeanOfCounts(counters, counted)};
    return slot.mean;
  }

 private:
  // A key: a bit for a slot in use, a bit per palette index with a height, then the counts
  // of the lowest and the highest such index in the cell; larger counts are not remembered.
  static constexpr int kEntries = std::tuple_size_v<decltype(WritePreparation::is_set)>;
  static_assert(kEntries < static_cast<int>(kCounters));
  static constexpr int kCountBits = 23;
  static constexpr int kFirstCountAt = 1 + kEntries;
  static constexpr int kLastCountAt = kFirstCountAt + kCountBits;
  static_assert(kLastCountAt + kCountBits <= 64);
  // A key's slot is the top kSlotBits bits of its Fibonacci hash.
  static constexpr int kSlotBits = 10;
  struct Slot {
    std::uint64_t key = 0;  // 0 for none
    CellMean mean;
  };

  const WritePreparation& prep_;
  std::uint32_t set_entries_ = 0;        // a bit per palette index with a height
  std::uint32_t unbounded_heights_ = 0;  // a bit per set index whose height is not finite
  std::array<Slot, std::size_t{1} << kSlotBits> slots_{};
};

}  // namespace orvandel
