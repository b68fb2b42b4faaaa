#include "writers/square_classes.h"

namespace orvandel {
namespace {

std::int32_t MeanClass(float h1, float h2, float h3, const WritePreparation& prep) {
  return HeightClass(MeanHeight(h1, h2, h3), prep.water, prep.lawn, prep.snow);
}

}  // namespace

void ClassesOfSquareRow(const float* upper, const float* lower, const std::int32_t* upper_classes,
                        const std::int32_t* lower_classes, std::size_t count,
                        const WritePreparation& prep, std::int32_t* first, std::int32_t* second) {
  for (std::size_t c = 0; c + 1 < count; ++c) {
    const std::int32_t corner = upper_classes[c];
    first[c] = corner == upper_classes[c + 1] && corner == lower_classes[c + 1]
                   ? corner
                   : MeanClass(upper[c], upper[c + 1], lower[c + 1], prep);
    second[c] = corner == lower_classes[c + 1] && corner == lower_classes[c]
                    ? corner
                    : MeanClass(upper[c], lower[c + 1], lower[c], prep);
  }
}

void CornerClasses(const float* heights, std::size_t count, const WritePreparation& prep,
                   std::int32_t* classes) {
  for (std::size_t i = 0; i < count; ++i)
    classes[i] = HeightClass(heights[i], prep.water, prep.lawn, prep.snow);
}

}  // namespace orvandel
