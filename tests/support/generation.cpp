#include "generation.h"

#include "failure_message.h"

#include "fileio/little_endian.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/output_formats.h"

namespace orvandel::test {

std::vector<PackedColour> TestPalette() {
  std::vector<PackedColour> table;
  for (int k = 0; k < 16; ++k)
    table.push_back(PackRGB(16 * k, 255 - 16 * k, 7 * k));
  return table;
}

Generation::Generation(int width, int height, std::vector<std::uint8_t> indexes)
    : map(std::make_unique<FakeMap>(width, height, TestPalette(), std::move(indexes))) {
  session.MapFileName = "map.bmp";
  const std::vector<PackedColour> table = TestPalette();
  for (std::size_t k = 0; k < table.size(); ++k)
    session.swatches.colour[k] = table[k];
}

std::string Generation::Run(const std::string& output_file) {
  NoBusyIndicator busy;
  const auto choose = [&](const FileDialogSettings& settings) -> std::optional<std::string> {
    ++dialogs_shown;
    last_dialog = settings;
    if (output_file.empty()) return std::nullopt;
    return output_file;
  };
  return MessageOf([&] {
    RunGenerateCommand(state, session, map.get(), panel, choose, busy, options, threads);
  });
}

std::string Generation::Written(const std::string& output_name) {
  ReadGeneratorSettings(panel, map->Width(), map->Height(), state);
  const OutputFormat& format = FormatForFile(output_name);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  CellSampler sampler(*map, session.swatches, state.grid_layout, state.view_mapping, prep);
  MeshSource source{state.grid_layout,        prep,    sampler, output_name,
                    state.generator_settings, options, threads};
  MemorySink sink;
  format.WriteMesh(source, sink);
  return sink.Bytes();
}

std::map<std::string, unsigned> FacesByClass(Generation& g) {
  const std::map<int, std::string> names = {
      {216, "water"}, {120, "lawn"}, {24, "rock"}, {32767, "snow"}};
  const std::string mesh = g.Written("hill.3df");
  const auto* bytes = reinterpret_cast<const unsigned char*>(mesh.data());
  const std::size_t triangles = 11 + 12 * static_cast<std::size_t>(I32At(bytes + 3));
  std::map<std::string, unsigned> faces;
  for (std::size_t at = triangles; at < mesh.size(); at += 16)
    ++faces[names.at(I32At(bytes + at + 12))];
  return faces;
}

Generation TwoByTwoExample() {
  // Cells of 2 pixels; the last row and column of the 5 x 5 map belong to no cell.
  std::vector<std::uint8_t> pixels = {
      1, 1, 2, 2, 0,  //
      1, 1, 2, 2, 0,  //
      3, 3, 4, 4, 0,  //
      3, 3, 4, 4, 0,  //
      0, 0, 0, 0, 0,
  };
  Generation g(5, 5, pixels);
  g.panel.settings = {"50", "250", "350", "1000", "1000", "400"};
  g.panel.heights[1] = "100";
  g.panel.heights[2] = "200";
  g.panel.heights[3] = "300";
  g.panel.heights[4] = "400";
  return g;
}

Generation TrueScaleHill() {
  std::vector<std::uint8_t> pixels;
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 8; ++c)
      pixels.push_back(static_cast<std::uint8_t>((c + r) % 8));
  }
  Generation g(8, 6, pixels);
  g.panel.settings = {"250", "350", "550", "800", "600", "100"};
  for (std::size_t k = 0; k < 8; ++k)
    g.panel.heights[k] = std::to_string(100 * k);
  g.options.surface = nullptr;
  return g;
}

Generation Gaps(int columns, int rows, int cell_size, std::vector<std::string> heights) {
  const int width = columns * cell_size, height = rows * cell_size;
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    const int r = y / cell_size;
    for (int x = 0; x < width; ++x) {
      const int c = x / cell_size;
      const bool unset = r < 2 || r % 5 == 3 || c % 6 == 4 || (c + 2 * r) % 11 == 0;
      pixels.push_back(static_cast<std::uint8_t>(unset ? 3 + 4 * (x % 2) : (x / 3 + y / 4) % 16));
    }
  }
  Generation g(width, height, pixels);
  const std::string side = std::to_string(100 * std::max(columns, rows));
  g.panel.settings = {"250", "600", "1100", side, side, "100"};
  for (std::size_t k = 0; k < 16; ++k) {
    if (k != 3 && k != 7) g.panel.heights[k] = heights[k % heights.size()];
  }
  return g;
}

std::vector<std::string> Levels() {
  std::vector<std::string> heights;
  for (int k = 0; k < 16; ++k)
    heights.push_back(std::to_string(90 * k));
  return heights;
}

}  // namespace orvandel::test
