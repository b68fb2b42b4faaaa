#include "orvandel/generator/cell_sampler.h"

#include <algorithm>

#include "generator/pixel_classifier.h"

namespace orvandel {
namespace {

// Counters per cell: one per palette index, and one for pixels of no palette colour.
constexpr std::size_t kCounters = kNoPaletteIndex + 1;

}  // namespace

CellSampler::CellSampler(const MapImage& map, const SwatchColours& swatches,
                         const GridLayout& grid, const ViewMapping& mapping,
                         const WritePreparation& prep)
    : grid_(grid),
      mapping_(mapping),
      prep_(prep),
      classifier_(std::make_unique<PixelClassifier>(map, swatches)),
      fallback_(prep.fallback),
      counts_(static_cast<std::size_t>(grid.Columns) * kCounters),
      indexes_(static_cast<std::size_t>(grid.Columns) * static_cast<std::size_t>(grid.CellSize)) {}

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
  for (int y = r * size; y < (r + 1) * size; ++y) {
    classifier_->ClassifyRow(y, used_width, indexes_.data());
    const std::uint8_t* pixel = indexes_.data();
    std::uint32_t* cell = counts_.data();
    for (int c = 0; c < grid_.Columns; ++c, cell += kCounters) {
      for (int i = 0; i < size; ++i) ++cell[*pixel++];
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
    const std::uint32_t* count = &counts_[c * kCounters];
    std::int64_t total = 0;
    float weighted = 0;
    for (std::size_t k = 0; k < prep_.is_set.size(); ++k) {
      if (!prep_.is_set[k]) continue;
      total += count[k];
      weighted =
          static_cast<float>(weighted + static_cast<long double>(count[k]) * prep_.scaled_height[k]);
    }
    if (total == 0) continue;
    samples.mean[c] = static_cast<float>(weighted / static_cast<long double>(total));
    samples.coloured[c] = 1;
  }
}

}  // namespace orvandel
