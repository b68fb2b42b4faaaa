// Measures the terrain generator on 16-colour maps of its own making, each figure against
// its floor measured in the same run, on 1 and 2 threads:
// - opening the 8192 x 8192 map as the generate command does (its headers, then its pixels
//   from the same open file) and sampling it at interval 4, against one read() of its file;
// - each writer of the format table into a sink that only counts the bytes, in MB/s of
//   output with and without its sampling; the 3DF writer also against memcpy() of the
//   same bytes;
// - orvandel-cli generate of the map to 3DF at intervals 2, 4, 8 and 16 (and an older
//   build's, with --before), against generate_floor: starting, reading the map and writing
//   as many bytes as the output has;
// - with --scaling, the same on maps from 1024 x 1024 to 32768 x 32768 pixels, with the
//   peak memory of each run.
// Usage: generator_bench [FOLDER] [--runs N] [--before OLD_CLI] [--writer FORMAT[,FORMAT]...]
// [--scaling]. FOLDER, /tmp by default, holds the maps and the outputs: give a folder of
// your own when others may run it at the same time. --writer measures reading and those
// writers alone, in turn in every run, each also against the first one named. The scaling
// run needs about 4 GB in FOLDER and 3 GB of memory.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "child_runs.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/mapinput/packed_map.h"
#include "orvandel/writers/output_formats.h"
#include "terrain_map.h"

namespace {

using namespace orvandel;
using bench::ChildRun;
using bench::Launcher;
using bench::MakeTerrainMap;
using Clock = std::chrono::steady_clock;

constexpr int kSide = 8192;
constexpr int kStageInterval = 4;
constexpr ThreadCount kThreadCounts[] = {1, 2};

struct Options {
  std::string folder = "/tmp";
  int runs = 5;
  std::string before;                // an older orvandel-cli, or empty
  std::vector<std::string> writers;  // the formats whose writers alone are measured, or none
  bool scaling = false;
};

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// "1.23 (1.20 to 1.31)": the median of ratios and their range.
std::string Ratios(const std::vector<double>& ratios) {
  const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
  char text[64];
  std::snprintf(text, sizeof text, "%5.2f (%.2f to %.2f)", Median(ratios), *low, *high);
  return text;
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

// The map of one size with the settings of one interval, as the generate command reads them.
struct Generation {
  Generation(const std::string& map_file, int side, int interval) {
    OpenMapCommand(session, map_file, [](BinaryReader&, const MapHeader&) {});
    ReadGeneratorSettings(bench::HillPanel(side, interval), side, side, state);
    prep = PrepareWrite(state.height_table, state.generator_settings);
  }
  // 11 + 12 N + 16 T bytes.
  std::size_t ThreeDfBytes() const {
    const GridLayout& grid = state.grid_layout;
    const std::size_t squares = grid.Columns < 2 || grid.Rows < 2
                                    ? 0
                                    : std::size_t(grid.Columns - 1) * std::size_t(grid.Rows - 1);
    return 11 + 12 * std::size_t(grid.VertexCount) + 32 * squares;
  }

  MapSession session;
  GeneratorState state;
  WritePreparation prep;
};

// The map as the generate command opens it.
std::unique_ptr<MapImage> OpenPackedMap(const std::string& map_file) {
  MapSession session;
  return bench::OpenPackedMap(map_file, session);
}

void SampleEveryCell(const MapImage& map, const Generation& g, ThreadCount threads) {
  CellSampler(map, g.session.swatches, g.state.grid_layout, g.state.view_mapping, g.prep)
      .HeightsInVertexOrder(threads);
}

void MeasureReading(const std::string& map_file, const Generation& g, const Options& options) {
  for (const ThreadCount threads : kThreadCounts) {
    std::vector<double> floors, packed, ratios;
    for (int run = 0; run < options.runs; ++run) {
      floors.push_back(Seconds([&] { ReadFloor(map_file); }));
      packed.push_back(Seconds([&] { SampleEveryCell(*OpenPackedMap(map_file), g, threads); }));
      ratios.push_back(packed.back() / floors.back());
    }
    std::printf("read map + sample, %u thread(s): floor read() %7.4f s, %7.4f s, x floor %s\n",
                threads, Median(floors), Median(packed), Ratios(ratios).c_str());
  }
}

// Counts what a writer produces and throws it away.
class CountingSink : public ByteSink {
 public:
  std::size_t bytes = 0;

 protected:
  void Drain(const char*, std::size_t count) override { bytes += count; }
};

// Keeps what a writer produces.
class KeepingSink : public ByteSink {
 public:
  std::string bytes;

 protected:
  void Drain(const char* data, std::size_t count) override { bytes.append(data, count); }
};

double WriteBody(const MapImage& map, Generation& g, const OutputFormat& format,
                 ThreadCount threads, ByteSink& sink) {
  return Seconds([&] {
    const CellSampler sampler(map, g.session.swatches, g.state.grid_layout, g.state.view_mapping,
                              g.prep);
    MeshSource source{g.state.grid_layout,        g.prep, sampler, "bench.out",
                      g.state.generator_settings, {},     threads};
    format.WriteMesh(source, sink);
    sink.Flush();
  });
}

// memcpy() of bytes into a buffer of the size of a sink's, as a writer that had them all
// ready would copy them.
double CopyFloor(const std::string& bytes) {
  std::vector<char> buffer(std::size_t{1} << 20);
  return Seconds([&] {
    for (std::size_t at = 0; at < bytes.size(); at += buffer.size()) {
      std::memcpy(buffer.data(), bytes.data() + at, std::min(buffer.size(), bytes.size() - at));
      asm volatile("" : : "r"(buffer.data()) : "memory");
    }
  });
}

void Measure3dfAgainstCopy(const MapImage& map, Generation& g, const Options& options) {
  KeepingSink kept;
  WriteBody(map, g, *FormatNamed("3DF"), 1, kept);
  std::vector<double> ratios, floors, own;
  for (int run = 0; run < options.runs; ++run) {
    floors.push_back(CopyFloor(kept.bytes));
    const double sampling = Seconds([&] { SampleEveryCell(map, g, 1); });
    CountingSink sink;
    own.push_back(WriteBody(map, g, *FormatNamed("3DF"), 1, sink) - sampling);
    ratios.push_back(own.back() / floors.back());
  }
  std::printf(
      "3DF writer without sampling, 1 thread: floor memcpy() %7.4f s, %7.4f s, x floor %s\n",
      Median(floors), Median(own), Ratios(ratios).c_str());
}

// The formats --writer names, in its order, or every one of the table.
std::vector<const OutputFormat*> MeasuredFormats(const Options& options) {
  std::vector<const OutputFormat*> formats;
  for (const OutputFormat& format : OutputFormats())
    formats.push_back(&format);
  if (options.writers.empty()) return formats;
  formats.clear();
  for (const std::string& name : options.writers) {
    if (const OutputFormat* format = FormatNamed(name)) formats.push_back(format);
  }
  return formats;
}

// The writers take turns within each run, so that the machine's load weighs on each alike.
void MeasureWriters(const MapImage& map, Generation& g, const Options& options) {
  const std::vector<const OutputFormat*> formats = MeasuredFormats(options);
  std::printf("%-10s %7s %9s %9s %10s %12s %9s\n", "writer", "threads", "seconds", "MB", "MB/s",
              "MB/s own", "x first");
  for (const ThreadCount threads : kThreadCounts) {
    std::vector<std::vector<double>> took(formats.size()), ratios(formats.size());
    std::vector<double> sampling;
    std::vector<std::size_t> bytes(formats.size());
    for (int run = 0; run < options.runs; ++run) {
      sampling.push_back(Seconds([&] { SampleEveryCell(map, g, threads); }));
      for (std::size_t f = 0; f < formats.size(); ++f) {
        CountingSink sink;
        took[f].push_back(WriteBody(map, g, *formats[f], threads, sink));
        ratios[f].push_back(took[f].back() / took[0].back());
        bytes[f] = sink.bytes;
      }
    }
    for (std::size_t f = 0; f < formats.size(); ++f) {
      // Every writer reads each map pixel once; the rest of its time is its own.
      const double mb = static_cast<double>(bytes[f]) / 1e6;
      std::printf("%-10s %7u %9.4f %9.1f %10.1f %12.1f %9.2f\n",
                  std::string(formats[f]->name).c_str(), threads, Median(took[f]), mb,
                  mb / Median(took[f]), mb / (Median(took[f]) - Median(sampling)),
                  Median(ratios[f]));
    }
  }
  Measure3dfAgainstCopy(map, g, options);
}

// One contender of the end-to-end runs: a program and its arguments but the output's.
struct Contender {
  using Args = std::function<std::vector<std::string>(const std::string& output)>;
  Contender(std::string name_, Args args_) : name(std::move(name_)), args(std::move(args_)) {}

  std::string name;
  Args args;
  std::vector<double> seconds, ratios;
  double peak_mb = 0;
  bool ok = true;
};

// Runs every contender runs times in turn, floor first, each time against that run's floor.
void RunInTurn(Launcher& launcher, std::vector<Contender>& contenders, const std::string& output,
               int runs) {
  for (int run = 0; run < runs; ++run) {
    double floor = 0;
    for (Contender& contender : contenders) {
      const ChildRun child = launcher.Run(contender.args(output));
      unlink(output.c_str());
      if (&contender == &contenders.front()) floor = child.seconds;
      contender.seconds.push_back(child.seconds);
      contender.ratios.push_back(child.seconds / floor);
      contender.peak_mb = std::max(contender.peak_mb, child.peak_mb);
      contender.ok = contender.ok && child.ok;
    }
  }
}

std::vector<Contender> GenerateContenders(const std::string& map_file, int side, int interval,
                                          std::size_t output_bytes, const Options& options) {
  std::vector<Contender> contenders;
  contenders.push_back({"floor", [=](const std::string& output) {
                          return std::vector<std::string>{GENERATE_FLOOR, map_file, output,
                                                          std::to_string(output_bytes)};
                        }});
  if (!options.before.empty()) {
    contenders.push_back({"before", [=](const std::string& output) {
                            return bench::GenerateArgs(options.before, map_file, output,
                                                       bench::HillPanel(side, interval), 0);
                          }});
  }
  for (const ThreadCount threads : kThreadCounts) {
    contenders.push_back(
        {"after, " + std::to_string(threads) + " thread(s)", [=](const std::string& output) {
           return bench::GenerateArgs(ORVANDEL_CLI, map_file, output,
                                      bench::HillPanel(side, interval), threads);
         }});
  }
  return contenders;
}

void PrintContenders(const std::string& stage, const std::vector<Contender>& contenders) {
  for (const Contender& contender : contenders) {
    std::printf("%-28s %-20s %8.4f s  x floor %s  peak %7.1f MB%s\n", stage.c_str(),
                contender.name.c_str(), Median(contender.seconds), Ratios(contender.ratios).c_str(),
                contender.peak_mb, contender.ok ? "" : "  (failed)");
  }
  std::fflush(stdout);
}

void MeasureGenerate(Launcher& launcher, const std::string& map_file, int side,
                     const std::vector<int>& intervals, const Options& options, int runs) {
  struct stat info {};
  stat(map_file.c_str(), &info);
  std::printf(
      "\n%d x %d map (%.1f MB), orvandel-cli generate to 3DF against start + read map "
      "+ write output\n",
      side, side, static_cast<double>(info.st_size) / 1e6);
  for (const int interval : intervals) {
    const Generation g(map_file, side, interval);
    const std::size_t bytes = g.ThreeDfBytes();
    std::vector<Contender> contenders =
        GenerateContenders(map_file, side, interval, bytes, options);
    RunInTurn(launcher, contenders, options.folder + "/orvandel-bench.3df", runs);
    char stage[64];
    std::snprintf(stage, sizeof stage, "interval %2d, %6.1f MB", interval,
                  static_cast<double>(bytes) / 1e6);
    PrintContenders(stage, contenders);
  }
}

void MeasureScaling(Launcher& launcher, const Options& options) {
  std::printf("\nScaling:");
  for (const int side : {1024, 4096, 8192, 16384, 32768}) {
    const std::string map_file = options.folder + "/orvandel-scaling-map.bmp";
    MakeTerrainMap(map_file, side);
    MeasureGenerate(launcher, map_file, side, {4, 8, 16}, options, side >= 16384 ? 1 : 3);
    unlink(map_file.c_str());
  }
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      options.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--before" && i + 1 < argc) {
      options.before = argv[++i];
    } else if (arg == "--writer" && i + 1 < argc) {
      std::stringstream names(argv[++i]);
      for (std::string name; std::getline(names, name, ',');)
        options.writers.push_back(name);
    } else if (arg == "--scaling") {
      options.scaling = true;
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
  const std::string map_file = options.folder + "/orvandel-bench-map.bmp";
  MakeTerrainMap(map_file, kSide);
  Generation g(map_file, kSide, kStageInterval);
  std::printf("%d x %d map, interval %d: %d x %d cells\n", kSide, kSide, kStageInterval,
              g.state.grid_layout.Columns, g.state.grid_layout.Rows);
  MeasureReading(map_file, g, options);
  MeasureWriters(*OpenPackedMap(map_file), g, options);
  if (!options.writers.empty()) return 0;
  MeasureGenerate(launcher, map_file, kSide, {2, 4, 8, 16}, options, options.runs);
  unlink(map_file.c_str());
  if (options.scaling) MeasureScaling(launcher, options);
  return 0;
}
