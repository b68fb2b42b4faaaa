#include <gtest/gtest.h>

#include <algorithm>

#include "bmp_builder.h"
#include "run_command.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::ReadFileBytes;
using test::TempDir;
using tools::BmpDescription;

constexpr PackedColour kBlack = 0;
constexpr PackedColour kWhite = 0xFFFFFF;

// A map of 9 x 6 pixels (an odd width, so its rows are padded): the left third colour 0,
// the middle third colour 1, the right third colour 2 (or colour 1 with two colours).
BmpDescription Map(int bits, std::vector<PackedColour> palette) {
  BmpDescription bmp;
  bmp.width = 9;
  bmp.height = 6;
  bmp.bits_per_pixel = bits;
  const bool true_colour = bits == 24;
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      const auto index =
          static_cast<std::size_t>(std::min(x / 3, 2) % (palette.size() == 2 ? 2 : 3));
      bmp.pixels.push_back(true_colour ? palette[index] : static_cast<std::uint32_t>(index));
    }
  }
  if (!true_colour) bmp.palette = std::move(palette);
  return bmp;
}

class GenerateCliTest : public ::testing::Test {
 protected:
  CommandResult Generate(const BmpDescription& map, const std::string& output,
                         std::vector<std::string> extra = {}) {
    tools::WriteFileBytes(dir_.File("map.bmp"), tools::EncodeBmp(map));
    return GenerateFrom(dir_.File("map.bmp"), output, std::move(extra));
  }
  CommandResult GenerateFrom(const std::string& map_file, const std::string& output,
                             std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"generate",    map_file,     dir_.File(output),
                                     "--water",     "0",          "--lawn",
                                     "500",         "--snow",     "900",
                                     "--map-width", "900",        "--map-height",
                                     "600",         "--interval", "299"};
    args.insert(args.end(), extra.begin(), extra.end());
    return test::RunCommand(ORVANDEL_CLI, args);
  }
  std::string Output(const std::string& name) { return ReadFileBytes(dir_.File(name)); }

  TempDir dir_;
};

// The three cells of the top row of the 9 x 6 map, cell 3 pixels, in a PLG vertex line.
std::string FirstVertexHeights(const std::string& plg) {
  std::string heights;
  std::size_t at = plg.find('\n') + 1;
  for (int i = 0; i < 3; ++i) {
    const std::size_t first = plg.find(' ', at) + 1;
    heights += plg.substr(first, plg.find(' ', first) - first) + " ";
    at = plg.find('\n', at) + 1;
  }
  return heights;
}

TEST_F(GenerateCliTest, SixteenColourMap) {
  std::vector<PackedColour> palette;
  for (int k = 0; k < 16; ++k)
    palette.push_back(tools::Grey(16 * k));
  const CommandResult result = Generate(
      Map(4, palette), "t.plg", {"--height", "0=100", "--height", "1=200", "--height", "2=300"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  // Heights 100, 200, 300 over Scale 900, times 5000 rounded, times 3.
  EXPECT_EQ(FirstVertexHeights(Output("t.plg")), "1668 3333 5001 ");
}

TEST_F(GenerateCliTest, MapsPeopleHave) {
  const std::vector<PackedColour> three = {0x2040C0, 0x30A030, 0xF0F0F0};
  struct Case {
    const char* name;
    BmpDescription map;
  } cases[] = {
      {"4-bit, three colours", Map(4, three)},
      {"8-bit, three colours", Map(8, three)},
      {"4-bit, top-down rows", Map(4, three)},
  };
  cases[2].map.top_down = true;
  for (const Case& c : cases) {
    const CommandResult result =
        Generate(c.map, "t.plg", {"--height", "0=100", "--height", "1=200", "--height", "2=300"});
    EXPECT_EQ(result.exit_status, 0) << c.name << ": " << result.err;
    EXPECT_EQ(FirstVertexHeights(Output("t.plg")), "1668 3333 5001 ") << c.name;
  }
}

TEST_F(GenerateCliTest, TwoColourMapMatchesItsOwnBlack) {
  // After start-up palette entries 2 to 15 are black too; only the map's own entries count.
  const CommandResult result =
      Generate(Map(1, {kBlack, kWhite}), "t.plg", {"--height", "0=300", "--height", "1=600"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(FirstVertexHeights(Output("t.plg")), "5001 9999 5001 ");
}

TEST_F(GenerateCliTest, RefusalsGiveOneLineAndStatusOne) {
  BmpDescription rle = Map(4, {kBlack, kWhite});
  rle.compression = 2;
  struct Case {
    BmpDescription map;
    std::vector<std::string> extra;
    const char* message;
  } cases[] = {
      {Map(4, {kBlack, kWhite}), {}, "Must set at least one height!\n"},
      {Map(4, {kBlack, kWhite}),
       {"--height", "3=12a"},
       "'12a' is not a valid floating point value.\n"},
      {Map(4, {kBlack, kWhite}), {"--height", "3=1", "--interval", "600"}, "Invalid interval!\n"},
      {Map(4, {kBlack, kWhite}),
       {"--height", "3=1", "--water", " "},
       "One or more important values not set!\n"},
      {rle, {"--height", "0=1"}, "Unknown file compression!\n"},
  };
  for (const Case& c : cases) {
    const CommandResult result = Generate(c.map, "t.3df", c.extra);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(dir_.Listing(), "map.bmp");
}

TEST_F(GenerateCliTest, BrokenMapFiles) {
  const std::string good = tools::EncodeBmp(Map(4, {kBlack, kWhite}));
  BmpDescription huge = Map(4, {kBlack, kWhite});
  std::string absurd = tools::EncodeBmp(huge);
  absurd.replace(18, 8, std::string("\xff\xff\xff\x3f\xff\xff\xff\x3f", 8));  // 1G x 1G pixels
  std::string wrong_signature = good;
  wrong_signature[0] = 'X';
  std::string rgb = tools::EncodeBmp(Map(24, {kBlack, kWhite, kWhite}));
  struct Case {
    std::string bytes;
    const char* message;
  } cases[] = {
      {good.substr(0, 30), "Read beyond end of file.\n"},
      {good.substr(0, 54), "File corrupted or not BMP!\n"},
      {good.substr(0, 80), "Bitmap image is not valid.\n"},
      {wrong_signature, "File corrupted or not BMP!\n"},
      {absurd, "Bitmap image is not valid.\n"},
      {rgb, "Only 4-bit (16 color) BMP images supported!\n"},
  };
  for (const Case& c : cases) {
    tools::WriteFileBytes(dir_.File("broken.bmp"), c.bytes);
    const CommandResult result =
        GenerateFrom(dir_.File("broken.bmp"), "t.3df", {"--height", "0=1"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, c.message);
  }
  EXPECT_EQ(dir_.Listing(), "broken.bmp");
}

TEST_F(GenerateCliTest, FileLayerErrors) {
  CommandResult result = GenerateFrom(dir_.File("missing.bmp"), "t.3df", {"--height", "0=1"});
  EXPECT_EQ(result.err, "File not found.\n");
  tools::WriteFileBytes(dir_.File("map.txt"), tools::EncodeBmp(Map(4, {kBlack, kWhite})));
  result = GenerateFrom(dir_.File("map.txt"), "t.3df", {"--height", "0=1"});
  EXPECT_EQ(result.err, "Unknown picture file extension (.txt).\n");
  result = Generate(Map(4, {kBlack, kWhite}), "no-folder/t.3df", {"--height", "0=1"});
  EXPECT_EQ(result.err, "File not found.\n");
  EXPECT_EQ(result.exit_status, 1);
}

TEST_F(GenerateCliTest, MeshOptionsTakePositiveNumbersForTodaysFormats) {
  const BmpDescription map = Map(4, {kBlack, kWhite});
  const char* const kTrueScaleOnly =
      "orvandel-cli: --vertical-scale, --base, --max-error, --full-grid, --print-width and --up "
      "apply to .stl, .obj, .ply, .glb and .3mf files only";
  struct Case {
    const char* output;
    std::vector<std::string> options;
    const char* line;
  } wrong[] = {
      {"t.stl",
       {"--base", "-1"},
       "orvandel-cli: --base takes a positive number of map units, not '-1'"},
      {"t.stl", {"--base=0"}, "orvandel-cli: --base takes a positive number of map units, not '0'"},
      {"t.glb",
       {"--vertical-scale", "nan"},
       "orvandel-cli: --vertical-scale takes a positive number, not 'nan'"},
      {"t.obj",
       {"--vertical-scale", "1e39"},
       "orvandel-cli: --vertical-scale takes a positive number, not '1e39'"},
      {"t.ply",
       {"--max-error", "-0.5"},
       "orvandel-cli: --max-error takes a number of map units, 0 or more, not '-0.5'"},
      {"t.asc", {"--full-grid"}, kTrueScaleOnly},
      {"t.3mf",
       {"--print-width", "0"},
       "orvandel-cli: --print-width takes a positive number of millimetres, not '0'"},
      {"t.obj", {"--up", "x"}, "orvandel-cli: --up takes y or z, not 'x'"},
      {"t.glb",
       {"--up", "z"},
       "orvandel-cli: --up applies to .stl, .obj, .ply and .3mf files only"},
      {"t.3df", {"--base", "5"}, kTrueScaleOnly},
      {"t.plg", {"--up", "z"}, kTrueScaleOnly},
  };
  for (const Case& c : wrong) {
    std::vector<std::string> extra = {"--height", "0=100", "--height", "1=200"};
    extra.insert(extra.end(), c.options.begin(), c.options.end());
    const CommandResult result = Generate(map, c.output, extra);
    EXPECT_EQ(result.exit_status, 2) << c.line;
    EXPECT_EQ(result.err, std::string(c.line) + " (see \"orvandel-cli help generate\")\n");
  }
  EXPECT_EQ(dir_.Listing(), "map.bmp");
  const CommandResult solid =
      Generate(map, "t.stl",
               {"--height", "0=100", "--height", "1=200", "--vertical-scale", "2", "--base", "10"});
  EXPECT_EQ(solid.exit_status, 0) << solid.err;
  EXPECT_EQ(Output("t.stl").size(), 84u + 50 * (4 + 3 * 6));  // 3 x 2 cells, 6 under the edge
  EXPECT_EQ(Generate(map, "t.xyz", {"--height", "0=1", "--base", "1"}).err,
            "Invalid file extension!\n");
}

// The sample valley with heights for some of its colours, cells of 8 pixels: 80 x 60 of them.
TEST_F(GenerateCliTest, AnyCountOfThreadsWritesTheSameFile) {
  const std::string valley = std::string(ORVANDEL_SAMPLES) + "/valley.bmp";
  const std::vector<std::string> settings = {
      "--water",  "130",          "--lawn",   "500",        "--snow",   "950",      "--map-width",
      "6400",     "--map-height", "4800",     "--interval", "80",       "--height", "1=100",
      "--height", "4=400",        "--height", "6=600",      "--height", "9=900"};
  for (const char* output : {"t.3df", "t.raw", "t.asc"}) {
    std::string first;
    for (const char* threads : {"--threads=1", "--threads=2", "--threads=7"}) {
      std::vector<std::string> args = {"generate", valley, dir_.File(output), threads};
      args.insert(args.end(), settings.begin(), settings.end());
      const CommandResult result = test::RunCommand(ORVANDEL_CLI, args);
      ASSERT_EQ(result.exit_status, 0) << result.err;
      if (first.empty()) first = Output(output);
      EXPECT_EQ(Output(output), first) << output << " " << threads;
    }
    EXPECT_GT(first.size(), 4800u) << output;
  }
  const CommandResult none = Generate(Map(4, {kBlack, kWhite}), "t.3df", {"--threads", "0"});
  EXPECT_EQ(none.exit_status, 2);
  EXPECT_EQ(
      none.err,
      "orvandel-cli: --threads takes a whole number from 1 to 64, not '0' (see \"orvandel-cli "
      "help generate\")\n");
}

TEST_F(GenerateCliTest, WrongUsage) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"frobnicate"},
           {"generate", "map.bmp"},
           {"generate", "map.bmp", "t.3df", "--water", "0"},
           {"generate", "a", "b", "--height", "16=5", "--water", "0", "--lawn", "0", "--snow", "0",
            "--map-width", "9", "--map-height", "9", "--interval", "1"},
           {"generate", "a", "b", "--bogus"},
       }) {
    const CommandResult result = test::RunCommand(ORVANDEL_CLI, args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find("help"), std::string::npos);
  }
  const CommandResult help = test::RunCommand(ORVANDEL_CLI, {"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("orvandel-cli generate MAP OUTPUT"), std::string::npos);
  EXPECT_NE(help.out.find(".3df, .asc, .raw, .plg, .stl, .obj, .ply, .glb or .3mf."),
            std::string::npos);
}

}  // namespace
}  // namespace orvandel
