// Measures the terrain generator on an 8192 x 8192 16-colour map of its own making:
// decoding, sampling, each writer, and `orvandel-cli generate` end to end.
// Run: build/bench/generator_bench [folder for the files, default /tmp]
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "bmp_builder.h"
#include "generate_main.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/output_formats.h"
#include "qimage_map.h"

namespace {

using namespace orvandel;
using Clock = std::chrono::steady_clock;

constexpr int kSide = 8192;
constexpr int kCellSize = 4;

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Rolling hills in 16 bands of equal height, like a contour-coloured map.
tools::BmpDescription TerrainMap() {
  tools::BmpDescription bmp;
  bmp.width = kSide;
  bmp.height = kSide;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(PackRGB(16 * k, 200 - 8 * k, 255 - 16 * k));
  bmp.pixels.resize(static_cast<std::size_t>(kSide) * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double h = std::sin(x * 0.0021) * std::cos(y * 0.0017) +
                       0.5 * std::sin((x + 2 * y) * 0.0063) + 0.25 * std::cos((3 * x - y) * 0.011);
      const int band = static_cast<int>((h + 1.75) / 3.5 * 16);
      bmp.pixels[static_cast<std::size_t>(y) * kSide + x] =
          static_cast<std::uint32_t>(std::clamp(band, 0, 15));
    }
  }
  return bmp;
}

PanelTexts Panel() {
  PanelTexts panel;
  panel.settings = {"50", "400", "1200", "8192", "8192", std::to_string(kCellSize)};
  for (int k = 0; k < 16; ++k)
    panel.heights[static_cast<std::size_t>(k)] = std::to_string(100 * k);
  return panel;
}

// Counts what a writer produces and throws it away.
class CountingSink : public ByteSink {
 public:
  std::size_t bytes = 0;

 protected:
  void Drain(const char*, std::size_t count) override { bytes += count; }
};

void Report(const char* what, double seconds, double amount, const char* unit) {
  std::printf("%-34s %8.3f s  %9.1f %s\n", what, seconds, amount / seconds, unit);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "/tmp";
  const std::string map_file = folder + "/orvandel-bench-map.bmp";
  tools::WriteFileBytes(map_file, tools::EncodeBmp(TerrainMap()));
  const double pixels = static_cast<double>(kSide) * kSide;

  MapSession map;
  CheckedMap checked = CheckMapFile(map_file, map);
  std::unique_ptr<QImageMap> image;
  Report("decode map (QImage)", Seconds([&] { image = DecodeMapImage(map_file, checked.header); }),
         pixels / 1e6, "Mpixel/s");
  AcceptMap(map, std::move(checked));
  GeneratorState state;
  ReadGeneratorSettings(Panel(), image->Width(), image->Height(), state);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);

  const GridLayout& grid = state.grid_layout;
  const double sampling = Seconds([&] {
    CellSampler sampler(*image, map.swatches, grid, state.view_mapping, prep);
    for (int r = 0; r < grid.Rows; ++r) {
      for (int c = 0; c < grid.Columns; ++c)
        sampler.SampleCell(c, r);
    }
  });
  Report("sample every cell once", sampling, pixels / 1e6, "Mpixel/s");

  for (const OutputFormat& format : OutputFormats()) {
    CountingSink sink;
    const double seconds = Seconds([&] {
      CellSampler sampler(*image, map.swatches, state.grid_layout, state.view_mapping, prep);
      MeshSource source{state.grid_layout, prep, sampler, "bench.out", state.generator_settings};
      format.body(source, sink);
      sink.Flush();
    });
    // Every writer reads each map pixel once; the rest of its time is its own.
    const std::string name = std::string(format.name) + " writer";
    std::printf("%-34s %8.3f s  %9.1f MB   %7.1f MB/s without sampling\n", name.c_str(), seconds,
                sink.bytes / 1e6, sink.bytes / 1e6 / (seconds - sampling));
  }

  cli::GenerateArgs args{map_file, folder + "/orvandel-bench.3df", Panel()};
  Report("orvandel-cli generate to 3DF", Seconds([&] { cli::RunGenerate(args); }), pixels / 1e6,
         "Mpixel/s");
  unlink(args.output_file.c_str());
  unlink(map_file.c_str());
  return 0;
}
