#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "orvandel/fileio/format_3df.h"

namespace orvandel {

// The materials of the mesh formats of today's 3D tools, as the writers name them and the
// viewer reads them back: one per height class, and the base of a solid, which has no hue.
struct ClassMaterial {
  std::string_view name;
  std::int32_t hue;
};

inline constexpr std::array<ClassMaterial, 5> kClassMaterials = {{{"water", kWaterClass},
                                                                  {"lawn", kLawnClass},
                                                                  {"rock", kRockClass},
                                                                  {"snow", kSnowClass},
                                                                  {"base", kNoHue}}};

}  // namespace orvandel
