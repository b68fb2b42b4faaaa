// Feeds arbitrary bytes to the 3DF loader as a file, then renders what it loaded: every
// input must end in a scene or a Failure, never in a crash, a leak or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "memory_file.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvandel;
  const MemoryFile file(data, size);
  ViewerState state;
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  RasterCanvas canvas(pixels.data(), kWidth, kHeight, kWidth);
  try {
    LoadScene(file.Name(), state, [](AnglePair) {});
  } catch (const Failure&) {
  }
  try {
    RenderScene(state, canvas, kWidth, kHeight);
    state.Shaded = false;
    for (int press = 0; press < 40; ++press)
      ZoomIn(state);
    RenderScene(state, canvas, kWidth, kHeight);
  } catch (const Failure&) {
  }
  return 0;
}
