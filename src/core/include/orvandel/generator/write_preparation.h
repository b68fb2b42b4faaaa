#pragma once

#include <array>

#include "orvandel/fileio/format_3df.h"
#include "orvandel/generator/generator_state.h"

namespace orvandel {

// What every write starts from: heights and levels divided by Scale, and the fallback
// height that a cell without any coloured pixel of a set colour takes.
struct WritePreparation {
  std::array<float, 16> scaled_height{};
  std::array<bool, 16> is_set{};
  float water = 0;
  float lawn = 0;
  float snow = 0;
  float fallback = 0;  // at first the mean scaled height of the set colours
};

// Throws Refusal "Must set at least one height!" when no colour has a height, as a
// FieldFailure at the first height field.
WritePreparation PrepareWrite(const HeightTable& heights, const GeneratorSettings& settings);

// The height class of a triangle whose mean cell height is m: kWaterClass up to the water
// level, kLawnClass up to the lawn level, kRockClass above lawn and below snow, kSnowClass
// from the snow level up (when it lies above lawn).
inline int HeightClass(float m, float water, float lawn, float snow) {
  if (!(m > water)) return kWaterClass;
  if (!(m > lawn)) return kLawnClass;
  if (m < snow) return kRockClass;
  return kSnowClass;
}

// (h1 + h2 + h3) x 1/3, summed and scaled at full precision and rounded once.
float MeanHeight(float h1, float h2, float h3);

}  // namespace orvandel
