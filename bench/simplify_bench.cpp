// Measures the terrain simplifier against hmm, a heightmap mesher by greedy insertion, on
// maps of its own making, and hmm's meshes with the simplifier's own error measure:
// - a terraced 2048 x 2048 map of 16 bands at a cell of one pixel, meshed without loss
//   (hmm: an 8-bit grey PNG of the bands, an error bound of half a grey step);
// - the same hills drawn twice as large on a 4096 x 4096 map, at cells of 2 pixels whose
//   heights are the means of their pixels, within 3 map units (hmm: a 16-bit PNG of the
//   grid's heights), and at cells of 8 pixels, whose means lie closer than 3 map units on
//   the slopes;
// - with --large, the terraced map at 8192 x 8192 pixels, the simplifier alone.
// For each: triangles, the largest vertical error at the grid's vertices, the best wall
// time of --runs runs, the peak memory. The simplifier's time and memory are its own,
// from heights in memory (its peak beyond the heights and classes it reads, also per grid
// vertex); hmm's are those of its whole run: reading the PNG, meshing, writing its STL,
// and so are those of orvandel-cli generate from the map to STL beside it (its error is
// not measured: the STL is in the world's units).
// Usage: simplify_bench [FOLDER] [--hmm PATH] [--runs N] [--large]. FOLDER (/tmp by
// default) holds the maps, PNGs and STL files: give a folder of your own when others may
// run it at the same time.
#include <malloc.h>
#include <time.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "child_runs.h"
#include "measure.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/generator/cell_sampler.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/mapinput/packed_map.h"
#include "orvandel/meshing/simplify_terrain.h"
#include "orvandel/meshing/vertical_error.h"
#include "terrain_map.h"

namespace {

using namespace orvandel;
using bench::Launcher;

// The bands lie 100 map units apart; water lies at the lowest, the lawn and snow levels
// inside bands 4 and 10, so that the slopes through them part into two classes.
constexpr float kTop = 1500;

struct Options {
  std::string folder = "/tmp";
  std::string hmm;  // hmm's program, or empty
  int runs = 3;
  bool large = false;
};

// One meshing of a map: what is measured and how hmm is asked to mesh it.
struct Task {
  std::string name;
  int side = 0;  // of the map, in pixels
  double zoom = 1;
  int interval = 1;
  double max_error = 0;
  int png_bits = 8;
  bool with_hmm = true;
};

// The heights and classes of a map's grid as a true-scale writer hands them over.
struct TerrainGrid {
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  std::vector<float> z;
  std::vector<std::uint8_t> classes;

  HeightGrid Grid() const { return {columns, rows, z, classes}; }
};

// Times are the best of the runs.
struct Outcome {
  std::size_t triangles = 0;
  double max_error = 0;
  double seconds = 1e30;
  double cpu_seconds = 1e30;  // on all threads
  double peak_mb = 0;
};

double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The hill map's panel with the levels above.
PanelTexts Panel(int side, int interval) {
  PanelTexts panel = bench::HillPanel(side, interval);
  panel.settings[0] = "0";
  panel.settings[1] = "450";
  panel.settings[2] = "1050";
  return panel;
}

std::uint8_t ClassOf(float h1, float h2, float h3, const WritePreparation& prep) {
  const int height_class = HeightClass(MeanHeight(h1, h2, h3), prep.water, prep.lawn, prep.snow);
  return static_cast<std::uint8_t>(height_class % 256);
}

// The map sampled as the generate command samples it, z in map units.
TerrainGrid SampleMap(const std::string& map_file, int side, int interval) {
  MapSession session;
  const std::unique_ptr<MapImage> map = bench::OpenPackedMap(map_file, session);
  GeneratorState state;
  ReadGeneratorSettings(Panel(side, interval), side, side, state);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  const GridLayout& layout = state.grid_layout;
  const std::vector<float> heights =
      CellSampler(*map, session.swatches, layout, state.view_mapping, prep)
          .HeightsInVertexOrder(DefaultThreadCount());
  TerrainGrid grid{layout.Columns, layout.Rows, {}, {}};
  for (const float h : heights)
    grid.z.push_back(static_cast<float>(double{h} * state.generator_settings.Scale));
  ForEachSquare(layout, [&](std::int32_t n) {
    for (const Triangle& t : SquareTriangles(n, layout.Columns)) {
      const auto at = [&](std::int32_t v) { return heights[static_cast<std::size_t>(v)]; };
      grid.classes.push_back(ClassOf(at(t.a), at(t.b), at(t.c), prep));
    }
  });
  return grid;
}

// kTop is white; an 8-bit picture holds the bands exactly, 17 grey steps apart.
void WritePng(const TerrainGrid& grid, int bits, const std::string& path) {
  QImage image(grid.columns, grid.rows,
               bits == 8 ? QImage::Format_Grayscale8 : QImage::Format_Grayscale16);
  const double white = bits == 8 ? 255 : 65535;
  for (std::int32_t r = 0; r < grid.rows; ++r) {
    for (std::int32_t c = 0; c < grid.columns; ++c) {
      const auto level = std::lround(grid.Grid().Z(c, r) / kTop * white);
      if (bits == 8) {
        image.scanLine(r)[c] = static_cast<uchar>(level);
      } else {
        reinterpret_cast<quint16*>(image.scanLine(r))[c] = static_cast<quint16>(level);
      }
    }
  }
  if (!image.save(QString::fromStdString(path), "PNG")) std::exit(1);
}

// hmm's binary STL: x the column, y the rows counted up from the bottom row, z the height.
std::vector<LatticeTriangle> ReadStl(const std::string& path, const TerrainGrid& grid) {
  std::ifstream in(path, std::ios::binary);
  in.ignore(80);
  std::uint32_t count = 0;
  in.read(reinterpret_cast<char*>(&count), 4);
  std::vector<LatticeTriangle> triangles(count);
  for (LatticeTriangle& t : triangles) {
    float record[12];
    in.read(reinterpret_cast<char*>(record), sizeof record);
    in.ignore(2);
    for (std::size_t k = 0; k < 3; ++k) {
      t[k] = {static_cast<std::int32_t>(std::lround(record[3 + 3 * k])),
              grid.rows - 1 - static_cast<std::int32_t>(std::lround(record[4 + 3 * k])),
              record[5 + 3 * k]};
    }
  }
  return triangles;
}

Outcome RunOurs(const TerrainGrid& grid, const Task& task, ThreadCount threads, int runs) {
  Outcome outcome;
  SimplifiedTerrain mesh;
  malloc_trim(0);  // so that memory freed before counts as new when the simplifier takes it
  bench::ResetPeakMemory();
  const double before = bench::StatusBytes("VmRSS");
  for (int run = 0; run < runs; ++run) {
    mesh = {};
    const double cpu = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    mesh = SimplifyTerrain(grid.Grid(), task.max_error, threads);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    outcome.seconds = std::min(outcome.seconds, took.count());
    outcome.cpu_seconds = std::min(outcome.cpu_seconds, ProcessorSeconds() - cpu);
  }
  outcome.peak_mb = (bench::StatusBytes("VmHWM") - before) / 1e6;
  outcome.triangles = mesh.triangles.size();
  outcome.max_error = MaxVerticalError(grid.Grid(), mesh);
  return outcome;
}

// A program's best wall and processor time of runs runs in a process of its own, and its
// largest peak memory; the benchmark ends when a run fails.
Outcome BestOfRuns(Launcher& launcher, const std::vector<std::string>& args, int runs) {
  Outcome outcome;
  for (int run = 0; run < runs; ++run) {
    const bench::ChildRun child = launcher.Run(args);
    if (!child.ok) std::exit(1);
    outcome.seconds = std::min(outcome.seconds, child.seconds);
    outcome.cpu_seconds = std::min(outcome.cpu_seconds, child.cpu_seconds);
    outcome.peak_mb = std::max(outcome.peak_mb, child.peak_mb);
  }
  return outcome;
}

Outcome RunHmm(Launcher& launcher, const TerrainGrid& grid, const Task& task,
               const Options& options) {
  const std::string png = options.folder + "/simplify-bench.png";
  const std::string stl = options.folder + "/simplify-bench.stl";
  WritePng(grid, task.png_bits, png);
  // hmm's error bound is a fraction of its height scale; without loss means below half a
  // grey step.
  const double error = task.max_error > 0 ? task.max_error / kTop : 0.5 / 255;
  Outcome outcome = BestOfRuns(
      launcher,
      {options.hmm, png, stl, "-z", std::to_string(kTop), "-e", std::to_string(error), "-q"},
      options.runs);
  const std::vector<LatticeTriangle> triangles = ReadStl(stl, grid);
  outcome.triangles = triangles.size();
  outcome.max_error = MaxVerticalError(grid.Grid(), triangles);
  std::remove(png.c_str());
  std::remove(stl.c_str());
  return outcome;
}

void PrintRow(const std::string& who, const Outcome& o, std::size_t vertices) {
  char error[32] = "        -";
  if (!std::isnan(o.max_error)) std::snprintf(error, sizeof error, "%9.6f", o.max_error);
  std::printf("  %-22s %9zu triangles  max error %s  %7.3f s (processor %7.3f s)  peak %7.1f MB",
              who.c_str(), o.triangles, error, o.seconds, o.cpu_seconds, o.peak_mb);
  if (vertices > 0) std::printf("  (%.1f bytes per grid vertex)", o.peak_mb * 1e6 / vertices);
  std::printf("\n");
}

// orvandel-cli generate from the map to STL, the whole run as hmm's is measured, on the
// threads given; the triangles are counted from the file's size.
Outcome RunGenerate(Launcher& launcher, const std::string& map_file, const Task& task,
                    ThreadCount threads, const Options& options) {
  const std::string stl = options.folder + "/simplify-bench-generate.stl";
  std::vector<std::string> args =
      bench::GenerateArgs(ORVANDEL_CLI, map_file, stl, Panel(task.side, task.interval), threads);
  args.insert(args.end(), {"--max-error", std::to_string(task.max_error)});
  Outcome outcome = BestOfRuns(launcher, args, options.runs);
  std::ifstream file(stl, std::ios::binary | std::ios::ate);
  outcome.triangles = (static_cast<std::size_t>(file.tellg()) - 84) / 50;
  outcome.max_error = std::nan("");
  std::remove(stl.c_str());
  return outcome;
}

void Measure(Launcher& launcher, const Task& task, const Options& options) {
  const std::string map_file = options.folder + "/simplify-bench.bmp";
  bench::MakeTerrainMap(map_file, task.side, task.zoom);
  const TerrainGrid grid = SampleMap(map_file, task.side, task.interval);
  const auto vertices = grid.z.size();
  std::printf("%s: %d x %d grid, bound %g map units (tolerance %g), heights and classes %.1f MB\n",
              task.name.c_str(), grid.columns, grid.rows, task.max_error,
              HeightTolerance(grid.Grid()), static_cast<double>(vertices) * 6 / 1e6);
  for (const ThreadCount threads : {1u, 2u}) {
    PrintRow("ours, " + std::to_string(threads) + " thread(s)",
             RunOurs(grid, task, threads, options.runs), vertices);
  }
  if (task.with_hmm) {
    for (const ThreadCount threads : {1u, 2u}) {
      PrintRow("generate, " + std::to_string(threads) + " thread(s)",
               RunGenerate(launcher, map_file, task, threads, options), 0);
    }
  }
  std::remove(map_file.c_str());
  if (task.with_hmm && !options.hmm.empty())
    PrintRow("hmm", RunHmm(launcher, grid, task, options), 0);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--hmm" && i + 1 < argc) {
      options.hmm = argv[++i];
    } else if (arg == "--runs" && i + 1 < argc) {
      options.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--large") {
      options.large = true;
    } else {
      options.folder = arg;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  Launcher launcher;
  const Options options = ParseOptions(argc, argv);
  Measure(launcher, {"terraced, cell 1 pixel, lossless", 2048, 1, 1, 0, 8}, options);
  Measure(launcher, {"cell means, cell 2 pixels, within 3", 4096, 2, 2, 3, 16}, options);
  Measure(launcher, {"cell means, cell 8 pixels, within 3", 4096, 2, 8, 3, 16}, options);
  if (options.large)
    Measure(launcher, {"terraced 8192, cell 1 pixel, lossless", 8192, 1, 1, 0, 8, false}, options);
  return 0;
}
