#include "terrain_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/mapinput/packed_map.h"

namespace orvandel::bench {
namespace {

// Each wave is split into a factor of x and one of y, worked out once per column and once
// per row.
class TerrainBands {
 public:
  TerrainBands(int side, double zoom) : x_(static_cast<std::size_t>(side)), y_(x_.size()) {
    for (std::size_t i = 0; i < x_.size(); ++i) {
      const double t = static_cast<double>(i) / zoom;
      x_[i] = {std::sin(t * 0.0021), std::sin(t * 0.0063), std::cos(t * 0.0063),
               std::cos(3 * t * 0.011), std::sin(3 * t * 0.011)};
      y_[i] = {std::cos(t * 0.0017), std::cos(2 * t * 0.0063), std::sin(2 * t * 0.0063),
               std::cos(t * 0.011), std::sin(t * 0.011)};
    }
  }
  // sin(0.0021 x) cos(0.0017 y) + sin(0.0063 (x + 2 y)) / 2 + cos(0.011 (3 x - y)) / 4
  std::uint32_t operator()(int x, int y) const {
    const Waves& a = x_[static_cast<std::size_t>(x)];
    const Waves& b = y_[static_cast<std::size_t>(y)];
    const double h =
        a[0] * b[0] + 0.5 * (a[1] * b[1] + a[2] * b[2]) + 0.25 * (a[3] * b[3] + a[4] * b[4]);
    return static_cast<std::uint32_t>(std::clamp(static_cast<int>((h + 1.75) / 3.5 * 16), 0, 15));
  }

 private:
  using Waves = std::array<double, 5>;
  std::vector<Waves> x_;
  std::vector<Waves> y_;
};

}  // namespace

void MakeTerrainMap(const std::string& path, int side, double zoom) {
  tools::BmpDescription bmp;
  bmp.width = side;
  bmp.height = side;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(PackRGB(16 * k, 200 - 8 * k, 255 - 16 * k));
  tools::WriteBmpFile(path, bmp, TerrainBands(side, zoom));
}

PanelTexts HillPanel(int side, int interval) {
  PanelTexts panel;
  panel.settings = {
      "50", "400", "1200", std::to_string(side), std::to_string(side), std::to_string(interval)};
  for (int k = 0; k < 16; ++k)
    panel.heights[static_cast<std::size_t>(k)] = std::to_string(100 * k);
  return panel;
}

std::vector<std::string> GenerateArgs(const std::string& cli, const std::string& map_file,
                                      const std::string& output, const PanelTexts& panel,
                                      ThreadCount threads) {
  std::vector<std::string> args = {cli, "generate", map_file, output};
  const char* options[] = {"--water",     "--lawn",       "--snow",
                           "--map-width", "--map-height", "--interval"};
  for (std::size_t i = 0; i < panel.settings.size(); ++i)
    args.insert(args.end(), {options[i], panel.settings[i]});
  for (std::size_t k = 0; k < panel.heights.size(); ++k)
    args.insert(args.end(), {"--height", std::to_string(k) + "=" + panel.heights[k]});
  if (threads != 0) args.insert(args.end(), {"--threads", std::to_string(threads)});
  return args;
}

std::unique_ptr<MapImage> OpenPackedMap(const std::string& map_file, MapSession& session) {
  std::unique_ptr<MapImage> map;
  OpenMapCommand(session, map_file, [&map](BinaryReader& file, const MapHeader& header) {
    map = ReadPackedMap(file, header);
  });
  return map;
}

}  // namespace orvandel::bench
