#include "hill_scene.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "bmp_builder.h"
#include "generate_main.h"

namespace orvandel::bench {
namespace {

// The same hills at every size, one cell per pixel.
std::string HillMap(int side) {
  tools::BmpDescription bmp;
  bmp.width = bmp.height = side;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(PackRGB(16 * k, 255 - 16 * k, 8 * k));
  const double scale = side / 1024.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double h = 7.5 + 4 * std::sin(x / 60.0 / scale) * std::cos(y / 45.0 / scale) +
                       3.4 * std::sin((x + y) / 150.0 / scale);
      bmp.pixels.push_back(static_cast<std::uint32_t>(std::clamp(h, 0.0, 15.0)));
    }
  }
  return tools::EncodeBmp(bmp);
}

}  // namespace

void MakeHillScene(const std::string& folder, int side, const std::string& scene_file) {
  const std::string map_file = folder + "/hills.bmp";
  tools::WriteFileBytes(map_file, HillMap(side));
  cli::GenerateArgs args{map_file, scene_file, {}};
  for (int k = 0; k < 16; ++k)
    args.panel.heights[static_cast<std::size_t>(k)] = std::to_string(10 * k);
  args.panel.settings = {"20", "70", "130", std::to_string(side), std::to_string(side), "1"};
  cli::RunGenerate(args);
  std::filesystem::remove(map_file);
}

}  // namespace orvandel::bench
