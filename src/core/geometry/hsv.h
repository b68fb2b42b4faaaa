#pragma once

namespace orvandel {

struct RgbValues {
  float R = 0;
  float G = 0;
  float B = 0;
};

// The six-sector conversion of a hue H in degrees, a saturation S and a value V to red,
// green and blue in the range of V. A saturation below 1e-9 gives grey (V, V, V). A hue of
// 360 counts as 0; any other hue outside 0 to 360 is wrapped into that range, and a hue
// that is not a finite number is taken as 0. Never fails.
RgbValues HsvToRgb(float H, float S, float V);

}  // namespace orvandel
