// viewer_bench: loads and renders generated terrains as the render window does, and
// reports each stage against its floor, measured in the same run:
// - load: LoadScene against read()ing the whole 3DF file into memory already in place;
// - render: RenderScene (projection, clearing, drawing) shaded and as a wire frame, on 1
//   and 2 threads, in file order and in depth order, against clearing the picture plus
//   one plain pass over the file's vertex and triangle records held in memory (summing
//   every 32-bit field); at the render window's 550 x 418 and at 1920 x 1080, each depth
//   order render also against the file order render before it;
// - memory: bytes per face held while the scene is shown, at the peak of loading and at
//   the peak of a render.
// The pictures' checksums must agree between thread counts, and with older builds.
// Usage: viewer_bench [RUNS [SIDE...]]: SIDE x SIDE maps at one cell per pixel, by default
// 1024 (2.1 million faces, 46 MB) and 2048 (8.4 million faces, 184 MB). Needs about
// 400 MB of memory and 200 MB in the temporary folder.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "hill_scene.h"
#include "measure.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace {

using namespace orvandel;
using namespace orvandel::bench;

// The render window's picture, and a full-screen one.
struct PictureSize {
  int width;
  int height;
};
constexpr PictureSize kPictureSizes[] = {{550, 418}, {1920, 1080}};

void ReadWhole(const std::string& file_name, std::vector<char>& bytes) {
  bytes.resize(std::filesystem::file_size(file_name));
  const int fd = ::open(file_name.c_str(), O_RDONLY);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
}

std::uint32_t SumOfFields(const std::vector<char>& bytes) {
  std::uint32_t sum = 0;
  for (std::size_t at = 7; at + 4 <= bytes.size(); at += 4) {
    std::uint32_t field;
    std::memcpy(&field, bytes.data() + at, 4);
    sum += field;
  }
  return sum;
}

std::uint64_t Checksum(const std::vector<std::uint32_t>& pixels) {  // FNV-1a
  std::uint64_t hash = 14695981039346656037u;
  for (const std::uint32_t pixel : pixels) {
    hash ^= pixel;
    hash *= 1099511628211u;
  }
  return hash;
}

struct Picture {
  explicit Picture(PictureSize size)
      : size(size),
        pixels(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height)),
        canvas(pixels.data(), size.width, size.height, size.width) {}

  PictureSize size;
  std::vector<std::uint32_t> pixels;
  RasterCanvas canvas;
};

void Row(const std::string& stage, double floor, double took) {
  std::printf("  %-32s floor %7.4f s   %7.4f s   ratio to floor %5.2f\n", stage.c_str(), floor,
              took, took / floor);
}

// The floors of one scene: reading its file, and a pass over its records, a render's own
// work but for clearing the picture.
struct Floors {
  double load = 0;
  double pass = 0;
};

Floors MeasureFloors(const std::string& scene_file, int runs) {
  std::vector<char> bytes;
  Floors floors;
  floors.load = Best(runs, [&] { ReadWhole(scene_file, bytes); });
  std::uint32_t sum = 0;
  floors.pass = Best(runs, [&] { sum = SumOfFields(bytes); });
  std::printf("  (the file's fields sum to %08X)\n", sum);
  return floors;
}

// Renders the scene as state says; reports the time against floor, the picture's checksum
// and the peak memory per face beyond base. Returns the time.
double BenchRender(const std::string& stage, ViewerState& state, Picture& picture, double floor,
                   double base, int runs) {
  ResetPeakMemory();
  const double took = Best(
      runs, [&] { RenderScene(state, picture.canvas, picture.size.width, picture.size.height); });
  const double peak = StatusBytes("VmHWM") - base;
  Row(stage, floor, took);
  std::printf("  %-32s picture %016llX, peak %.1f bytes per face\n", "",
              static_cast<unsigned long long>(Checksum(picture.pixels)),
              peak / static_cast<double>(state.SceneFaces.faces.size()));
  return took;
}

void BenchRenders(ViewerState& state, double pass, double base, int runs, PictureSize size) {
  Picture picture(size);
  const double floor =
      pass + Best(runs, [&] { ClearPicture(picture.canvas, size.width, size.height); });
  std::printf(" at %d x %d:\n", size.width, size.height);
  for (const bool shaded : {true, false}) {
    for (const ThreadCount threads : {1u, 2u}) {
      state.Shaded = shaded;
      state.threads = threads;
      const std::string stage = std::string("render ") + (shaded ? "shaded" : "wire") + ", " +
                                std::to_string(threads) + (threads == 1 ? " thread" : " threads");
      state.paint_order = PaintOrder::kFile;
      const double file_order = BenchRender(stage, state, picture, floor, base, runs);
      state.paint_order = PaintOrder::kDepth;
      const double depth_order = BenchRender(stage + ", depth", state, picture, floor, base, runs);
      std::printf("  %-32s depth order / file order %5.2f\n", "", depth_order / file_order);
    }
  }
}

void Bench(const std::string& folder, int side, int runs) {
  const std::string scene_file = folder + "/hills.3df";
  MakeHillScene(folder, side, scene_file);
  std::printf("%d x %d map: %.1f MB file\n", side, side,
              static_cast<double>(std::filesystem::file_size(scene_file)) / 1e6);
  const Floors floors = MeasureFloors(scene_file, runs);

  const double base = StatusBytes("VmRSS");
  ViewerState state;
  ResetPeakMemory();
  const double load = Best(runs, [&] { LoadScene(scene_file, state, [](AnglePair) {}); });
  const double load_peak = StatusBytes("VmHWM") - base;
  const double shown = StatusBytes("VmRSS") - base;
  const double faces = static_cast<double>(state.SceneFaces.faces.size());
  std::printf("  %.0f faces\n", faces);
  Row("load", floors.load, load);
  for (const PictureSize size : kPictureSizes)
    BenchRenders(state, floors.pass, base, runs, size);
  std::printf("  memory: %.1f bytes per face while shown, %.1f at the peak of loading\n",
              shown / faces, load_peak / faces);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<int> sides;
  for (int k = 2; k < argc; ++k)
    sides.push_back(std::max(2, std::atoi(argv[k])));
  if (sides.empty()) sides = {1024, 2048};
  const std::string folder = TemporaryFolder();
  for (const int side : sides)
    Bench(folder, side, runs);
  std::filesystem::remove_all(folder);
  return 0;
}
