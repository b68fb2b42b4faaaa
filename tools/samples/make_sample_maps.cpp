// Makes the sample maps under samples/: colour-coded terrain maps in which every palette
// colour is one band of equal height.
// Usage: make_sample_maps FOLDER
#include <cmath>
#include <cstdio>
#include <string>

#include "bmp_builder.h"

namespace {

using orvandel::PackedColour;
using orvandel::PackRGB;
using orvandel::tools::BmpDescription;

struct Hill {
  double x, y, radius, height;
};

// Sea, shore, meadows, forest, rock and snow, from the lowest band to the highest.
const PackedColour kContourColours[16] = {
    PackRGB(0, 0, 128),     PackRGB(0, 0, 255),     PackRGB(0, 128, 255),   PackRGB(240, 230, 140),
    PackRGB(128, 255, 128), PackRGB(0, 224, 0),     PackRGB(0, 160, 0),     PackRGB(0, 112, 0),
    PackRGB(128, 128, 0),   PackRGB(160, 120, 60),  PackRGB(128, 64, 0),    PackRGB(96, 48, 24),
    PackRGB(128, 128, 128), PackRGB(176, 176, 176), PackRGB(216, 216, 216), PackRGB(255, 255, 255),
};

// A landscape of a few hills and gentle waves, heights from about 0 to 1.
double Terrain(double u, double v, const std::initializer_list<Hill>& hills) {
  double h = 0.08 * std::sin(7 * u + 2 * v) * std::cos(5 * v - u) + 0.05;
  for (const Hill& hill : hills) {
    const double d2 = (u - hill.x) * (u - hill.x) + (v - hill.y) * (v - hill.y);
    h += hill.height * std::exp(-d2 / (hill.radius * hill.radius));
  }
  return h;
}

BmpDescription Map(int width, int height, int colours, const std::initializer_list<Hill>& hills) {
  BmpDescription bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.bits_per_pixel = 4;
  for (int k = 0; k < colours; ++k)
    bmp.palette.push_back(kContourColours[k * 16 / colours]);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double h =
          Terrain(static_cast<double>(x) / width, static_cast<double>(y) / height, hills);
      const int band = static_cast<int>(h * colours);
      bmp.pixels.push_back(static_cast<std::uint32_t>(band < 0          ? 0
                                                      : band >= colours ? colours - 1
                                                                        : band));
    }
  }
  return bmp;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_maps FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  orvandel::tools::WriteFileBytes(folder + "/valley.bmp",
                                  orvandel::tools::EncodeBmp(Map(640, 480, 16,
                                                                 {{0.25, 0.3, 0.22, 0.8},
                                                                  {0.7, 0.65, 0.25, 0.95},
                                                                  {0.8, 0.2, 0.12, 0.5},
                                                                  {0.35, 0.85, 0.15, 0.45}})));
  orvandel::tools::WriteFileBytes(
      folder + "/island.bmp",
      orvandel::tools::EncodeBmp(Map(96, 64, 6, {{0.5, 0.5, 0.3, 0.85}, {0.62, 0.4, 0.1, 0.2}})));
  return 0;
}
