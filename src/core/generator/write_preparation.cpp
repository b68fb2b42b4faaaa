#include "orvandel/generator/write_preparation.h"

#include "orvandel/fileio/failure.h"
#include "orvandel/generator/field_fault.h"

namespace orvandel {

WritePreparation PrepareWrite(const HeightTable& heights, const GeneratorSettings& settings) {
  WritePreparation prep;
  for (std::size_t k = 0; k < heights.size(); ++k) {
    prep.scaled_height[k] = heights[k].Height / settings.Scale;
    prep.is_set[k] = heights[k].IsSet != 0;
  }
  prep.water = settings.Water / settings.Scale;
  prep.lawn = settings.Lawn / settings.Scale;
  prep.snow = settings.Snow / settings.Scale;

  int count = 0;
  float sum = 0;
  for (std::size_t k = 0; k < heights.size(); ++k) {
    if (!prep.is_set[k]) continue;
    ++count;
    sum += prep.scaled_height[k];
  }
  if (count == 0) throw FieldFailure<Refusal>("Must set at least one height!", HeightField(0));
  prep.fallback = sum / static_cast<float>(count);
  return prep;
}

float MeanHeight(float h1, float h2, float h3) {
  constexpr long double kThird = 1.0L / 3;
  return static_cast<float>((static_cast<long double>(h1) + h2 + h3) * kThird);
}

}  // namespace orvandel
