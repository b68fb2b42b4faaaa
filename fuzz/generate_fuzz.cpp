// Feeds arbitrary bytes through the whole generate path: the output format, the threads,
// the mesh options and the control panel's twenty-two texts from the front of the input,
// then the map file, whose pixels go through the real decoder, and the mesh of the chosen
// format into memory. Every input must end in a mesh or a Failure, never in a crash,
// a leak or undefined behaviour; and the mesh must not depend on the threads.
//
// Input: format byte, threads byte, options byte, then 16 height lines and 6 settings
// lines (each ended by a line feed), then the BMP file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "fuzz_input.h"
#include "memory_file.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/output_formats.h"
#include "qimage_map.h"

namespace {

using namespace orvandel;

// Bounds that keep one input within milliseconds; the readers' own limits lie far beyond.
constexpr std::int64_t kMaxMapPixels = std::int64_t{1} << 20;
constexpr std::int64_t kMaxCells = std::int64_t{1} << 14;

const OutputFormat& PickFormat(std::uint8_t choice) {
  const auto formats = OutputFormats();
  return formats[choice % formats.size()];
}

// Ordinary options, and heights and bases at the ends of the float range; the surface
// simplified without loss, within a bound, or the full grid.
MeshOptions PickOptions(std::uint8_t choice) {
  constexpr float kScales[] = {1.0f, 0.001f, 7.5f, 3e38f};
  constexpr float kBases[] = {0.0f, 1.0f, 250.0f, 3e38f};
  const SurfaceMaker surfaces[] = {SimplifiedSurface(0), SimplifiedSurface(2.5), nullptr};
  return {kScales[choice % 4], kBases[(choice / 4) % 4], surfaces[(choice / 16) % 3]};
}

struct GenerateInput {
  const OutputFormat& format;
  ThreadCount threads;
  MeshOptions options;
  PanelTexts panel;
};

GenerateInput ReadInput(FuzzInput& input) {
  GenerateInput read{
      PickFormat(input.Byte()), 2u + input.Byte() % 3u, PickOptions(input.Byte()), {}};
  for (std::string& text : read.panel.heights)
    text = input.Line();
  for (std::string& text : read.panel.settings)
    text = input.Line();
  return read;
}

std::string Mesh(const GenerateInput& in, GeneratorState& state, const MapImage& image,
                 const MapSession& session, ThreadCount threads) {
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  MemorySink sink;
  WriteMeshInto(WriteRequest{state, image, session.swatches, prep, in.options, threads},
                in.format.body, sink);
  return sink.Bytes();
}

// The pixels of a map of at most kMaxMapPixels, or none.
std::unique_ptr<MapImage> SmallMapImage(BinaryReader& file, const MapHeader& header) {
  const std::int64_t pixels =
      std::abs(std::int64_t{header.width}) * std::abs(std::int64_t{header.height});
  return pixels > kMaxMapPixels ? nullptr : ReadMapImage(file, header);
}

void Generate(const GenerateInput& in, const std::string& map_file) {
  MapSession session;
  std::unique_ptr<MapImage> image;
  OpenMapCommand(session, map_file, [&image](BinaryReader& file, const MapHeader& header) {
    image = SmallMapImage(file, header);
  });
  if (image == nullptr) return;

  GeneratorState state;
  state.OutputFileName = "mesh" + std::string(in.format.extension);
  ReadGeneratorSettings(in.panel, image->Width(), image->Height(), state);
  if (std::int64_t{state.grid_layout.Columns} * state.grid_layout.Rows > kMaxCells) return;
  if (Mesh(in, state, *image, session, 1) != Mesh(in, state, *image, session, in.threads)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const GenerateInput in = ReadInput(input);
  const NamedMemoryFile map(input.Rest(), ".bmp");
  try {
    Generate(in, map.Name());
  } catch (const Failure&) {
  } catch (const std::bad_alloc&) {
  }
  return 0;
}
