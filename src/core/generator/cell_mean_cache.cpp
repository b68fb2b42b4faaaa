#include "generator/cell_mean_cache.h"

#include <cmath>

namespace orvandel {

CellMeanCache::CellMeanCache(const WritePreparation& prep) : prep_(prep) {
  for (std::size_t k = 0; k < prep.is_set.size(); ++k) {
    if (!prep.is_set[k]) continue;
    set_entries_ |= 1u << k;
    if (!std::isfinite(prep.scaled_height[k])) unbounded_heights_ |= 1u << k;
  }
}

// Over the set entries only, in index order: pixels of colours without a height count for
// nothing, neither in the total nor in the weighted sum. Adding 0 x a finite height changes
// nothing, so only counted entries and those of heights that are not finite are added;
// most cells hold one or two colours.
CellMean CellMeanCache::MeanOfCounts(const std::uint64_t* counters, std::uint32_t counted) const {
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

}  // namespace orvandel
