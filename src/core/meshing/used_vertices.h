#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// A set of grid vertices, one bit each, numbering its members in ascending order once
// Count() has been called: a member's number is how many members come before it.
class UsedVertices {
 public:
  explicit UsedVertices(const HeightGrid& grid)
      : bits_((static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows) + 63) /
              64) {}

  void Add(std::int32_t n) { bits_[Word(n)] |= Bit(n); }
  bool Has(std::int32_t n) const { return (bits_[Word(n)] & Bit(n)) != 0; }

  // Numbers the members; returns how many there are.
  std::int32_t Count() {
    before_.resize(bits_.size());
    std::int32_t count = 0;
    for (std::size_t w = 0; w < bits_.size(); ++w) {
      before_[w] = count;
      count += std::popcount(bits_[w]);
    }
    return count;
  }
  std::int32_t Number(std::int32_t n) const {
    return before_[Word(n)] + std::popcount(bits_[Word(n)] & (Bit(n) - 1));
  }
  // The members in ascending order.
  std::vector<std::int32_t> All() const {
    std::vector<std::int32_t> all;
    for (std::size_t w = 0; w < bits_.size(); ++w) {
      for (std::uint64_t word = bits_[w]; word != 0; word &= word - 1)
        all.push_back(static_cast<std::int32_t>(64 * w) + std::countr_zero(word));
    }
    return all;
  }

 private:
  static std::size_t Word(std::int32_t n) { return static_cast<std::size_t>(n) / 64; }
  static std::uint64_t Bit(std::int32_t n) { return std::uint64_t{1} << (n % 64); }

  std::vector<std::uint64_t> bits_;
  std::vector<std::int32_t> before_;
};

}  // namespace orvandel
