// Measures the terrain generator on 16-colour maps of its own making: reading the map
// against its floor (one read() of the file into fresh memory), sampling, each writer,
// `orvandel-cli generate` end to end, and with --scaling the time and peak memory of
// orvandel-cli generate on maps from 1024 x 1024 to 32768 x 32768 pixels.
// Run: build/bench/generator_bench [FOLDER [--scaling]]; FOLDER defaults to /tmp. The
// scaling run needs about 4 GB in FOLDER and 2 GB of memory.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "generate_main.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/mapinput/packed_map.h"
#include "orvandel/writers/output_formats.h"
#include "qimage_map.h"

namespace {

using namespace orvandel;
using Clock = std::chrono::steady_clock;

constexpr int kSide = 8192;
constexpr int kBenchInterval = 4;
constexpr int kRuns = 5;

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Rolling hills in 16 bands of equal height, like a contour-coloured map; the same hills
// at every size, so that a larger map has more of them. Each wave is split into a factor
// of x and one of y, worked out once per column and once per row.
class TerrainBands {
 public:
  explicit TerrainBands(int side) : x_(static_cast<std::size_t>(side)), y_(x_.size()) {
    for (std::size_t i = 0; i < x_.size(); ++i) {
      const double t = static_cast<double>(i);
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

void MakeTerrainMap(const std::string& path, int side) {
  tools::BmpDescription bmp;
  bmp.width = side;
  bmp.height = side;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(PackRGB(16 * k, 200 - 8 * k, 255 - 16 * k));
  tools::WriteBmpFile(path, bmp, TerrainBands(side));
}

PanelTexts Panel(int side, int interval) {
  PanelTexts panel;
  panel.settings = {
      "50", "400", "1200", std::to_string(side), std::to_string(side), std::to_string(interval)};
  for (int k = 0; k < 16; ++k)
    panel.heights[static_cast<std::size_t>(k)] = std::to_string(100 * k);
  return panel;
}

// The floor of reading a map: its file read() into fresh memory at once.
void ReadFloor(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  struct stat info {};
  fstat(fd, &info);
  const auto size = static_cast<std::size_t>(info.st_size);
  const auto bytes = std::make_unique_for_overwrite<char[]>(size);
  for (std::size_t done = 0; done < size;) {
    const ssize_t got = read(fd, bytes.get() + done, size - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  close(fd);
}

void SampleEveryCell(const MapImage& map, const MapSession& session, const GeneratorState& state,
                     const WritePreparation& prep) {
  const GridLayout& grid = state.grid_layout;
  CellSampler sampler(map, session.swatches, grid, state.view_mapping, prep);
  for (int r = 0; r < grid.Rows; ++r) {
    for (int c = 0; c < grid.Columns; ++c)
      sampler.SampleCell(c, r);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Reading and sampling the map straight from its packed pixels, against the floor, in
// alternating runs; then the same through the picture the map window shows.
void MeasureReading(const std::string& map_file, const MapSession& session,
                    const GeneratorState& state, const WritePreparation& prep) {
  std::vector<double> floors, packed, ratios;
  for (int run = 0; run < kRuns; ++run) {
    floors.push_back(Seconds([&] { ReadFloor(map_file); }));
    packed.push_back(Seconds([&] {
      SampleEveryCell(*ReadPackedMap(map_file, session.map_header), session, state, prep);
    }));
    ratios.push_back(packed.back() / floors.back());
  }
  const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
  std::printf("floor: read() of the map file      %8.4f s  (median of %d)\n", Median(floors),
              kRuns);
  std::printf("read packed map + sample all cells %8.4f s  = %.2f x floor (runs %.2f to %.2f)\n",
              Median(packed), Median(ratios), *low, *high);
  std::unique_ptr<QImageMap> picture;
  const double decode = Seconds([&] { picture = DecodeMapImage(map_file, session.map_header); });
  const double sampling = Seconds([&] { SampleEveryCell(*picture, session, state, prep); });
  std::printf("map window's picture: decode       %8.4f s, sample all cells %.4f s\n", decode,
              sampling);
}

// Counts what a writer produces and throws it away.
class CountingSink : public ByteSink {
 public:
  std::size_t bytes = 0;

 protected:
  void Drain(const char*, std::size_t count) override { bytes += count; }
};

void MeasureWriters(const MapImage& map, const MapSession& session, GeneratorState& state,
                    const WritePreparation& prep) {
  const double sampling = Seconds([&] { SampleEveryCell(map, session, state, prep); });
  for (const OutputFormat& format : OutputFormats()) {
    CountingSink sink;
    const double seconds = Seconds([&] {
      CellSampler sampler(map, session.swatches, state.grid_layout, state.view_mapping, prep);
      MeshSource source{state.grid_layout, prep, sampler, "bench.out", state.generator_settings};
      format.body(source, sink);
      sink.Flush();
    });
    // Every writer reads each map pixel once; the rest of its time is its own.
    const std::string name = std::string(format.name) + " writer";
    std::printf("%-34s %8.3f s  %9.1f MB   %7.1f MB/s without sampling\n", name.c_str(), seconds,
                sink.bytes / 1e6, sink.bytes / 1e6 / (seconds - sampling));
  }
}

struct ChildRun {
  double seconds = 0;
  double peak_mb = 0;
  bool ok = false;
};

// orvandel-cli generate in a process of its own: its wall time and its peak resident memory.
ChildRun RunCliGenerate(const std::string& map_file, const std::string& output, int side,
                        int interval) {
  const PanelTexts panel = Panel(side, interval);
  std::vector<std::string> args = {ORVANDEL_CLI, "generate", map_file, output};
  const char* options[] = {"--water",     "--lawn",       "--snow",
                           "--map-width", "--map-height", "--interval"};
  for (std::size_t i = 0; i < panel.settings.size(); ++i) {
    args.insert(args.end(), {options[i], panel.settings[i]});
  }
  for (std::size_t k = 0; k < panel.heights.size(); ++k)
    args.insert(args.end(), {"--height", std::to_string(k) + "=" + panel.heights[k]});
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  ChildRun run;
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(ORVANDEL_CLI, argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  unlink(output.c_str());
  return run;
}

// Reading and sampling the map as the generate command does, in this process.
double ReadAndSample(const std::string& map_file, int side, int interval) {
  MapSession session;
  AcceptMap(session, CheckMapFile(map_file, session));
  GeneratorState state;
  ReadGeneratorSettings(Panel(side, interval), side, side, state);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  return Seconds(
      [&] { SampleEveryCell(*ReadPackedMap(map_file, session.map_header), session, state, prep); });
}

void MeasureScaling(const std::string& folder) {
  std::printf(
      "\nScaling: read + sample in this process; orvandel-cli generate to 3DF in a "
      "process of its own\n");
  std::printf("%-13s %8s %8s %8s %11s %9s %12s %9s\n", "map", "file MB", "floor s", "interval",
              "read+sample", "x floor", "generate s", "peak MB");
  for (const int side : {1024, 4096, 8192, 16384, 32768}) {
    const std::string map_file = folder + "/orvandel-scaling-map.bmp";
    MakeTerrainMap(map_file, side);
    struct stat info {};
    stat(map_file.c_str(), &info);
    const double floor = Seconds([&] { ReadFloor(map_file); });
    for (const int interval : {4, 8, 16}) {
      const double sampling = ReadAndSample(map_file, side, interval);
      const ChildRun run =
          RunCliGenerate(map_file, folder + "/orvandel-scaling.3df", side, interval);
      std::printf("%5d x %-5d %8.1f %8.4f %8d %9.4f s %9.2f %10.3f s %9.1f%s\n", side, side,
                  info.st_size / 1e6, floor, interval, sampling, sampling / floor, run.seconds,
                  run.peak_mb, run.ok ? "" : "  (failed)");
      std::fflush(stdout);
    }
    unlink(map_file.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "/tmp";
  const bool scaling = argc > 2 && std::string(argv[2]) == "--scaling";
  const std::string map_file = folder + "/orvandel-bench-map.bmp";
  MakeTerrainMap(map_file, kSide);
  const double pixels = static_cast<double>(kSide) * kSide;

  MapSession session;
  CheckedMap checked = CheckMapFile(map_file, session);
  AcceptMap(session, std::move(checked));
  GeneratorState state;
  ReadGeneratorSettings(Panel(kSide, kBenchInterval), kSide, kSide, state);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  std::printf("%d x %d map, interval %d: %d x %d cells\n", kSide, kSide, kBenchInterval,
              state.grid_layout.Columns, state.grid_layout.Rows);

  MeasureReading(map_file, session, state, prep);
  MeasureWriters(*ReadPackedMap(map_file, session.map_header), session, state, prep);

  cli::GenerateArgs args{map_file, folder + "/orvandel-bench.3df", Panel(kSide, kBenchInterval)};
  const double generate = Seconds([&] { cli::RunGenerate(args); });
  std::printf("%-34s %8.3f s  %9.1f Mpixel/s\n", "orvandel-cli generate to 3DF", generate,
              pixels / 1e6 / generate);
  unlink(args.output_file.c_str());
  unlink(map_file.c_str());
  if (scaling) MeasureScaling(folder);
  return 0;
}
