// Feeds arbitrary bytes through the whole render path: the view and the picture size from
// the front of the input, then two 3DF files loaded one after the other into one viewer
// state, a render of what the second load left, and the picture saved as BMP into memory.
// Every input must end in a picture or a Failure, never in a crash, a leak or undefined
// behaviour; and the saved picture must be a whole 24-bit BMP of the picture's size.
//
// Input: observer and sun angles (two bytes each, vertical then horizontal), the zoom as a
// float, a wire-frame byte, width and height bytes, a threads byte, the length of the
// first file (two bytes, low first), the first file, and the second file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "fuzz_input.h"
#include "memory_file.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/render_scene.h"
#include "picture_image.h"

namespace {

using namespace orvandel;

// Pictures up to this side keep every input within milliseconds, whatever it overdraws.
constexpr int kMaxSide = 96;

AnglePair Angles(FuzzInput& input) {
  const auto vertical = static_cast<std::uint16_t>(input.Byte() * 359 / 255);
  const auto horizontal = static_cast<std::uint16_t>(input.Byte() * 359 / 255);
  return {vertical, horizontal};
}

// Any positive finite zoom, as the command line accepts it.
float Zoom(float raw) {
  const float zoom = std::fabs(raw);
  return std::isfinite(zoom) && zoom > 0 ? zoom : kStartZoom;
}

void Load(std::string_view bytes, ViewerState& state) {
  const MemoryFile file(bytes);
  try {
    LoadScene(file.Name(), state, [](AnglePair) {});
  } catch (const Failure&) {
  }
}

std::size_t BmpSize(int width, int height) {
  const std::size_t row = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
  return 54 + row * static_cast<std::size_t>(height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  ViewSettings view;
  view.observer = Angles(input);
  view.sun = Angles(input);
  view.zoom = Zoom(input.Float());
  view.shaded = input.Byte() % 2 == 0;
  const int width = 1 + input.Byte() % kMaxSide;
  const int height = 1 + input.Byte() % kMaxSide;
  ViewerState state;
  state.threads = 1 + input.Byte() % 3u;
  const std::string_view first = input.Part(input.Word());

  Load(first, state);
  Load(input.Rest(), state);
  ApplyView(state, view);
  try {
    PictureImage picture(width, height);
    try {
      RenderScene(state, picture.GetCanvas(), width, height);
    } catch (const Failure&) {
    }
    if (picture.BmpBytes().size() != BmpSize(width, height)) std::abort();
  } catch (const std::bad_alloc&) {
  }
  return 0;
}
