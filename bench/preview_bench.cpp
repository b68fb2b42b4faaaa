// preview_bench: "Preview terrain" of a map of rolling hills, from the panel's texts to the
// scene ready to render, against the 3DF file write of the same settings into a sink that
// only counts the bytes. Target: an 8192 x 8192 map at interval 4 (8.4 million faces) in
// 1.5 s at most.
// Usage: preview_bench [RUNS [SIDE [INTERVAL]]] (5, 8192, 4 by default).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "measure.h"
#include "orvandel/commands/preview_command.h"
#include "orvandel/fileio/byte_sink.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/output_formats.h"
#include "terrain_map.h"

namespace {

using namespace orvandel;

// Drops what it is given.
class DroppingSink : public ByteSink {
 protected:
  void Drain(const char*, std::size_t) override {}
};

// The 3DF bytes of the same grid, dropped.
double WriteSeconds(int runs, GeneratorState& state, const MapSession& map, const MapImage& image) {
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  return bench::Best(runs, [&] {
    DroppingSink sink;
    WriteMeshInto(WriteRequest{state, image, map.swatches, prep, {}, DefaultThreadCount()},
                  FormatNamed("3DF")->body, sink);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const int side = argc > 2 ? std::max(2, std::atoi(argv[2])) : 8192;
  const int interval = argc > 3 ? std::max(1, std::atoi(argv[3])) : 4;
  const std::string folder = bench::TemporaryFolder();
  const std::string map_file = folder + "/hills.bmp";
  bench::MakeTerrainMap(map_file, side);
  MapSession map;
  const auto image = bench::OpenPackedMap(map_file, map);
  std::filesystem::remove_all(folder);

  GeneratorState state;
  const PanelTexts panel = bench::HillPanel(side, interval);
  NoBusyIndicator busy;
  std::size_t faces = 0;
  const double preview = bench::Best(runs, [&] {
    ViewerState viewer;
    PreviewTerrainCommand(state, map, image.get(), panel, viewer, busy);
    faces = viewer.SceneFaces.faces.size();
  });
  const double write = WriteSeconds(runs, state, map, *image);
  std::printf("%d x %d map at interval %d: %zu faces, %u threads\n", side, side, interval, faces,
              DefaultThreadCount());
  std::printf("preview ready: best of %d %.3f s (target 1.5 s); 3DF bytes of the same: %.3f s\n",
              runs, preview, write);
  return 0;
}
