#include "orvandel/generator/cell_sampler.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "generator/pixel_classifier.h"

namespace orvandel {
namespace {

// Counters per cell: one per palette index, and one for pixels of no palette colour.
constexpr std::size_t kCounters = kNoPaletteIndex + 1;
// Adds one cell's pixels of one row to its counters. The pixels of a cell mostly share
// one colour: the run at the start is counted at once.
void CountSegment(const std::uint8_t* code, int size, const std::array<std::uint8_t, 256>& index,
                  std::uint32_t* counters) {
  const std::uint8_t first = code[0];
  int same = 1;
  while (same < size && code[same] == first)
    ++same;
  counters[index[first]] += static_cast<std::uint32_t>(same);
  for (int i = same; i < size; ++i)
    ++counters[index[code[i]]];
}

std::array<bool, 16> FiniteHeights(const WritePreparation& prep) {
  std::array<bool, 16> finite{};
  for (std::size_t k = 0; k < finite.size(); ++k)
    finite[k] = std::isfinite(prep.scaled_height[k]);
  return finite;
}

}  // namespace

CellSampler::CellSampler(const MapImage& map, const SwatchColours& swatches, const GridLayout& grid,
                         const ViewMapping& mapping, const WritePreparation& prep)
    : grid_(grid),
      mapping_(mapping),
      prep_(prep),
      classifier_(std::make_unique<PixelClassifier>(map, swatches)),
      fallback_(prep.fallback),
      finite_height_(FiniteHeights(prep)),
      counts_(static_cast<std::size_t>(grid.Columns) * kCounters) {
  assert(grid.CellSize >= 1 && grid.Columns >= 0 && grid.Rows >= 0);
  assert(std::int64_t{grid.Columns} * grid.CellSize <= map.Width());
  assert(std::int64_t{grid.Rows} * grid.CellSize <= map.Height());
}

CellSampler::~CellSampler() = default;

Vector3 CellSampler::SampleCell(int c, int r) {
  const RowSamples& row = SamplesOfRow(r);
  const auto column = static_cast<std::size_t>(c);
  float height = row.coloured[column] != 0 ? row.mean[column] : fallback_;
  if (!(height >= prep_.water)) height = prep_.water;
  fallback_ = height;
  const int half = grid_.CellSize / 2;
  const WorldPoint world =
      mapping_.PixelToWorld(c * grid_.CellSize + half, r * grid_.CellSize + half);
  return {world.x, world.y, height};
}

const CellSampler::RowSamples& CellSampler::SamplesOfRow(int r) {
  for (const RowSamples& samples : rows_) {
    if (samples.row == r) return samples;
  }
  RowSamples& oldest = rows_[0].row < rows_[1].row ? rows_[0] : rows_[1];
  SampleRow(r, oldest);
  return oldest;
}

void CellSampler::CountRowPixels(int r) {
  std::fill(counts_.begin(), counts_.end(), 0);
  const int size = grid_.CellSize;
  const int used_width = grid_.Columns * size;
  const auto& index = classifier_->IndexOfCode();
  for (int y = r * size; y < (r + 1) * size; ++y) {
    const std::uint8_t* codes = classifier_->RowCodes(y, used_width);
    for (int c = 0; c < grid_.Columns; ++c) {
      CountSegment(codes + static_cast<std::size_t>(c) * size, size, index,
                   &counts_[static_cast<std::size_t>(c) * kCounters]);
    }
  }
}

void CellSampler::SampleRow(int r, RowSamples& samples) {
  CountRowPixels(r);
  const auto columns = static_cast<std::size_t>(grid_.Columns);
  samples.row = r;
  samples.mean.assign(columns, 0);
  samples.coloured.assign(columns, 0);
  for (std::size_t c = 0; c < columns; ++c) {
    const std::uint32_t* counters = &counts_[c * kCounters];
    std::int64_t total = 0;
    float weighted = 0;
    for (std::size_t k = 0; k < prep_.is_set.size(); ++k) {
      if (!prep_.is_set[k]) continue;
      const std::uint32_t count = counters[k];
      // Adding 0 x a finite height changes nothing; most cells hold one or two colours.
      if (count == 0 && finite_height_[k]) continue;
      total += count;
      weighted =
          static_cast<float>(weighted + static_cast<long double>(count) * prep_.scaled_height[k]);
    }
    if (total == 0) continue;
    samples.mean[c] = static_cast<float>(weighted / static_cast<long double>(total));
    samples.coloured[c] = 1;
  }
}

}  // namespace orvandel
