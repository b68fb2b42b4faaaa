#include "fake_map.h"

#include <cassert>

namespace orvandel::test {

FakeMap::FakeMap(int width, int height, std::vector<PackedColour> table,
                 std::vector<std::uint8_t> indexes)
    : width_(width), height_(height), table_(std::move(table)), indexes_(std::move(indexes)) {}

FakeMap::FakeMap(int width, int height, std::vector<PackedColour> colours)
    : width_(width), height_(height), colours_(std::move(colours)) {}

void FakeMap::ReadRow(int y, std::span<PackedColour> out) const {
  assert(y >= 0 && y < height_ && out.size() <= static_cast<std::size_t>(width_));
  for (std::size_t x = 0; x < out.size(); ++x) {
    const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
    if (table_.empty()) {
      out[x] = colours_[at];
    } else {
      out[x] = indexes_[at] < table_.size() ? table_[indexes_[at]] : 0;
    }
  }
}

const std::uint8_t* FakeMap::IndexRow(int y) const {
  assert(y >= 0 && y < height_);
  return table_.empty() ? nullptr : &indexes_[static_cast<std::size_t>(y) * width_];
}

}  // namespace orvandel::test
