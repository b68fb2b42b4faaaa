// viewer_bench: loads and renders a terrain of about two million faces, as the render
// window does, and reports the load speed, the render time and the memory per face.
// Usage: viewer_bench [RUNS]. Needs about 200 MB of memory and 50 MB in the temporary
// folder.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "generate_main.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace {

using namespace orvandel;

constexpr int kMapSide = 1024;
constexpr int kPictureWidth = 550;
constexpr int kPictureHeight = 418;

// Rolling hills over all sixteen colours, one cell per pixel.
std::string HillMap() {
  tools::BmpDescription bmp;
  bmp.width = bmp.height = kMapSide;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(PackRGB(16 * k, 255 - 16 * k, 8 * k));
  for (int y = 0; y < kMapSide; ++y) {
    for (int x = 0; x < kMapSide; ++x) {
      const double h =
          7.5 + 4 * std::sin(x / 60.0) * std::cos(y / 45.0) + 3.4 * std::sin((x + y) / 150.0);
      bmp.pixels.push_back(static_cast<std::uint32_t>(std::clamp(h, 0.0, 15.0)));
    }
  }
  return tools::EncodeBmp(bmp);
}

void GenerateTerrain(const std::string& map_file, const std::string& scene_file) {
  cli::GenerateArgs args{map_file, scene_file, {}};
  for (int k = 0; k < 16; ++k)
    args.panel.heights[static_cast<std::size_t>(k)] = std::to_string(10 * k);
  args.panel.settings = {"20", "70", "130", "1024", "1024", "1"};
  cli::RunGenerate(args);
}

// Seconds taken by the first of runs of work, and by the fastest.
struct Timing {
  double first = 0;
  double best = 1e30;
};

Timing TimeRuns(int runs, const std::function<void()>& work) {
  Timing timing;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (run == 0) timing.first = took.count();
    timing.best = std::min(timing.best, took.count());
  }
  return timing;
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return 1024.0 * std::stod(line.substr(field.size() + 1));
  }
  return 0;
}

// Makes VmHWM start again from the present VmRSS.
void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string dir = (std::filesystem::temp_directory_path() / "orvandel-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 1;
  const std::string map_file = dir + "/hills.bmp";
  const std::string scene_file = dir + "/hills.3df";
  tools::WriteFileBytes(map_file, HillMap());
  GenerateTerrain(map_file, scene_file);
  const double file_bytes = static_cast<double>(std::filesystem::file_size(scene_file));

  std::vector<std::uint32_t> pixels(kPictureWidth * kPictureHeight);
  RasterCanvas canvas(pixels.data(), kPictureWidth, kPictureHeight, kPictureWidth);
  ViewerState state;
  const double base = StatusBytes("VmRSS");
  ResetPeakMemory();
  const Timing load = TimeRuns(runs, [&] { LoadScene(scene_file, state, [](AnglePair) {}); });
  const double loaded = StatusBytes("VmHWM");
  const double faces = static_cast<double>(state.SceneFaces.faces.size());
  ResetPeakMemory();
  const auto render = [&](ViewerState& s) {
    return TimeRuns(runs, [&] { RenderScene(s, canvas, kPictureWidth, kPictureHeight); });
  };
  const Timing shaded = render(state);
  const double rendered = StatusBytes("VmHWM");
  ViewerState wire = state;
  wire.Shaded = false;
  const Timing wire_frame = render(wire);
  const Timing project =
      TimeRuns(runs, [&] { Project_Scene(state, kPictureWidth, kPictureHeight); });

  const double megabytes = file_bytes / 1e6;
  std::printf("scene: %.0f faces, %.1f MB file; first and best of %d runs\n", faces, megabytes,
              runs);
  std::printf("load:   %.3f s (%.0f MB/s), best %.3f s (%.0f MB/s)\n", load.first,
              megabytes / load.first, load.best, megabytes / load.best);
  std::printf("render: shaded %.3f s, best %.3f s; wire frame %.3f s, best %.3f s\n", shaded.first,
              shaded.best, wire_frame.first, wire_frame.best);
  std::printf("        of which projection alone: best %.3f s\n", project.best);
  std::printf("memory: %.1f bytes per face at peak while loading, %.1f while rendering\n",
              (loaded - base) / faces, (rendered - base) / faces);
  std::filesystem::remove_all(dir);
  return 0;
}
