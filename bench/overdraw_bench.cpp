// overdraw_bench: renders scenes of identical faces that each cover the whole picture, the
// worst case for filling, and reports each against its floor measured in the same run:
// std::fill_n of as many pixels (every face's picture, one run of words after another),
// taken in turns with the render, the best of RUNS (default 7) each.
// - small: FACES faces on the render window's 550 x 418 picture (default 5000; a million
//   such faces make a 16 MB 3DF file), with the time scaled to a million faces;
// - large: FACES faces on a 4000 x 4000 picture (default 30), scaled to 10000 faces.
// Usage: overdraw_bench [RUNS [SMALL_FACES LARGE_FACES]].
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "measure.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace {

using namespace orvandel;
using namespace orvandel::bench;

// count copies of one face around the world origin; at a zoom of 20 each covers the
// whole picture.
ViewerState Overdraw(std::size_t count) {
  ViewerState state;
  state.SceneFaces.vertices = {{1, 0, 0}, {-1, 1, 0}, {-1, -1, 0}};
  state.SceneFaces.faces.assign(count, SceneFace{0, 1, 2, 120});
  state.Zoom = 20;
  return state;
}

void Bench(const char* name, int width, int height, std::size_t faces, double scaled_to, int runs) {
  std::vector<std::uint32_t> pixels(std::size_t(width) * height);
  RasterCanvas canvas(pixels.data(), width, height, width);
  ViewerState state = Overdraw(faces);
  // Taken in turns, so that both meet the same load of a shared machine.
  double floor = 1e300, took = 1e300;
  for (int run = 0; run < runs; ++run) {
    floor = std::min(floor, Best(1, [&] {
                       for (std::size_t k = 0; k < faces; ++k)
                         std::fill_n(pixels.data(), pixels.size(),
                                     0xFF000000u + static_cast<std::uint32_t>(k));
                     }));
    took = std::min(took, Best(1, [&] { RenderScene(state, canvas, width, height); }));
  }
  const double scale = scaled_to / static_cast<double>(faces);
  std::printf("%-6s %zu faces at %d x %d: floor %8.4f s   render %8.4f s   ratio to floor %5.2f\n",
              name, faces, width, height, floor, took, took / floor);
  std::printf("%-6s scaled to %.0f faces: floor %8.2f s   render %8.2f s   (picture word %08X)\n",
              "", scaled_to, floor * scale, took * scale, pixels[pixels.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const auto faces = [&](int at, std::size_t fallback) {
    return argc > at ? static_cast<std::size_t>(std::max(1, std::atoi(argv[at]))) : fallback;
  };
  Bench("small", 550, 418, faces(2, 5000), 1e6, runs);
  Bench("large", 4000, 4000, faces(3, 30), 1e4, runs);
  return 0;
}
