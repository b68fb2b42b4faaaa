#include "meshing/flat_blocks.h"

namespace orvandel {

FlatBlocks::FlatBlocks(const HeightGrid& grid, LatticePoint origin, std::int32_t across,
                       std::int32_t down, std::int32_t size)
    : grid_(grid), origin_(origin), across_(across), down_(down) {
  while ((1 << levels_) < size)
    ++levels_;
  flat_.resize(static_cast<std::size_t>(levels_) + 1);
  width_.resize(flat_.size());
  FindLevel0();
  for (int k = 1; k <= levels_; ++k)
    FindLevel(k);
}

bool FlatBlocks::Inside(int k, std::int32_t i, std::int32_t j) const {
  return ((i + 1) << k) <= across_ && ((j + 1) << k) <= down_;
}

bool FlatBlocks::Flat(int k, std::int32_t i, std::int32_t j) const {
  if (!Inside(k, i, j)) return false;
  const auto& flat = flat_[static_cast<std::size_t>(k)];
  return flat[static_cast<std::size_t>(j * width_[static_cast<std::size_t>(k)] + i)] != 0;
}

bool FlatBlocks::Alike(LatticePoint a, LatticePoint b) const {
  return grid_.Z(a.c, a.r) == grid_.Z(b.c, b.r) &&
         grid_.ClassOf(a.c, a.r, 0) == grid_.ClassOf(b.c, b.r, 0);
}

void FlatBlocks::FindLevel0() {
  width_[0] = across_;
  auto& flat = flat_[0];
  flat.resize(static_cast<std::size_t>(across_) * static_cast<std::size_t>(down_));
  for (std::int32_t j = 0; j < down_; ++j) {
    for (std::int32_t i = 0; i < across_; ++i) {
      const LatticePoint p = CornerOf(0, i, j);
      const float z = grid_.Z(p.c, p.r);
      flat[static_cast<std::size_t>(j * across_ + i)] =
          grid_.Z(p.c + 1, p.r) == z && grid_.Z(p.c, p.r + 1) == z &&
          grid_.Z(p.c + 1, p.r + 1) == z &&
          grid_.ClassOf(p.c, p.r, 0) == grid_.ClassOf(p.c, p.r, 1);
    }
  }
}

// A block is level ground when its four quarters are, with one height and one class.
void FlatBlocks::FindLevel(int k) {
  const std::int32_t width = (across_ + (1 << k) - 1) >> k;
  const std::int32_t height = (down_ + (1 << k) - 1) >> k;
  width_[static_cast<std::size_t>(k)] = width;
  auto& flat = flat_[static_cast<std::size_t>(k)];
  flat.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  for (std::int32_t j = 0; j < height; ++j) {
    for (std::int32_t i = 0; i < width; ++i) {
      const LatticePoint corner = CornerOf(k, i, j);
      bool all = true;
      for (int q = 0; q < 4 && all; ++q) {
        const std::int32_t ci = 2 * i + (q & 1);
        const std::int32_t cj = 2 * j + (q >> 1);
        all = Flat(k - 1, ci, cj) && Alike(corner, CornerOf(k - 1, ci, cj));
      }
      flat[static_cast<std::size_t>(j * width + i)] = all ? 1 : 0;
    }
  }
}

std::vector<SquareBlock> FlatBlocks::Leaves() const {
  std::vector<SquareBlock> leaves;
  AddLeaves(levels_, 0, 0, leaves);
  return leaves;
}

void FlatBlocks::AddLeaves(int k, std::int32_t i, std::int32_t j,
                           std::vector<SquareBlock>& leaves) const {
  if ((i << k) >= across_ || (j << k) >= down_) return;
  if (k == 0 || Flat(k, i, j)) {
    leaves.push_back({CornerOf(k, i, j), 1 << k});
    return;
  }
  for (int q = 0; q < 4; ++q)
    AddLeaves(k - 1, 2 * i + (q & 1), 2 * j + (q >> 1), leaves);
}

}  // namespace orvandel
