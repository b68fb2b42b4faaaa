#include "viewer/mesh_hues.h"

#include <algorithm>
#include <cmath>

#include "fileio/class_materials.h"
#include "orvandel/fileio/format_3df.h"

namespace orvandel {
namespace {

constexpr double kGreyStep = 1.0 / 255;

// A channel within 0 to 1; not a number counts as 0.
double Channel(float value) {
  return value > 0 ? std::min(double{value}, 1.0) : 0.0;
}

// A channel in linear light as shown (the sRGB transfer function).
float Shown(double linear) {
  return static_cast<float>(linear <= 0.0031308 ? 12.92 * linear
                                                : 1.055 * std::pow(linear, 1 / 2.4) - 0.055);
}

}  // namespace

std::int32_t HueOfColour(float red, float green, float blue) {
  const double r = Channel(red);
  const double g = Channel(green);
  const double b = Channel(blue);
  const double high = std::max({r, g, b});
  const double span = high - std::min({r, g, b});
  if (span < kGreyStep) return kNoHue;
  double sixths = 0;  // the hue in sixths of the circle
  if (high == r) {
    sixths = (g - b) / span;
  } else if (high == g) {
    sixths = (b - r) / span + 2;
  } else {
    sixths = (r - g) / span + 4;
  }
  const auto degrees = static_cast<std::int32_t>(std::lround(60 * sixths));
  return (degrees + 360) % 360;
}

std::int32_t HueOfColour(PackedColour colour) {
  return HueOfColour(RedOf(colour) / 255.0f, GreenOf(colour) / 255.0f, BlueOf(colour) / 255.0f);
}

std::optional<std::int32_t> HueOfMaterial(const MeshMaterial& material, bool linear) {
  const auto named = std::ranges::find(kClassMaterials, material.name, &ClassMaterial::name);
  if (named != kClassMaterials.end()) return named->hue;
  if (!material.colour) return std::nullopt;
  const auto [red, green, blue] = *material.colour;
  if (!linear) return HueOfColour(red, green, blue);
  return HueOfColour(Shown(Channel(red)), Shown(Channel(green)), Shown(Channel(blue)));
}

}  // namespace orvandel
