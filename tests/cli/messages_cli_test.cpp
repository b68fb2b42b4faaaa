// What orvandel-cli tells its user: one line on standard error whatever the input, a
// failure where output is lost, and maps under any name the system accepts.
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "orvandel/writers/mesh_write.h"
#include "run_command.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::TempDir;
using tools::BmpDescription;

// A map of colours 0 and 1 in its left and right halves, 8 x 4 pixels or twice that.
BmpDescription TwoColourMap(int bits, int scale = 1) {
  BmpDescription bmp;
  bmp.width = 8 * scale;
  bmp.height = 4 * scale;
  bmp.bits_per_pixel = bits;
  const std::vector<PackedColour> palette = {0x000000, 0xFFFFFF};
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x)
      bmp.pixels.push_back(bits == 24 ? palette[x / 4 / scale]
                                      : static_cast<std::uint32_t>(x / 4 / scale));
  }
  if (bits != 24) bmp.palette = palette;
  return bmp;
}

class MessagesCliTest : public ::testing::Test {
 protected:
  // Colours 0 and 1 at height on an area of 8 x 4 map units.
  CommandResult Generate(const std::string& map, const std::string& output,
                         const std::string& height, const std::string& interval = "1") {
    return test::RunCommand(
        ORVANDEL_CLI, {"generate", map, dir_.File(output), "--height", "0=" + height, "--height",
                       "1=" + height, "--water", "0", "--lawn", "1", "--snow", "2", "--map-width",
                       "8", "--map-height", "4", "--interval", interval});
  }
  std::string WriteMap(const std::string& name, const BmpDescription& map) {
    tools::WriteFileBytes(dir_.File(name), tools::EncodeBmp(map));
    return dir_.File(name);
  }

  TempDir dir_;
};

TEST_F(MessagesCliTest, ValuesWithControlCharactersStayOnOneLine) {
  const std::string map = WriteMap("map.bmp", TwoColourMap(4));
  CommandResult result = Generate(map, "t.3df", "100", "2\n5");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "'2\\n5' is not a valid floating point value.\n");
  result = Generate(map, "t.3df", "100", "4\x1b[2J");
  EXPECT_EQ(result.err, "'4\\x1b[2J' is not a valid floating point value.\n");
  result = test::RunCommand(ORVANDEL_CLI, {"render", "s.3df", "o.bmp", "--zoom", "1\r\n2"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "orvandel-cli: --zoom takes a positive number, not '1\\r\\n2' (see \"orvandel-cli "
            "help render\")\n");
}

TEST_F(MessagesCliTest, OutputThatCannotBeWrittenIsAFailure) {
  for (const char* command : {"--help", "--version", "help generate", "render --help"}) {
    const CommandResult result = test::RunCommand(
        "/bin/sh", {"-c", std::string(ORVANDEL_CLI) + " " + command + " > /dev/full"});
    EXPECT_EQ(result.exit_status, 1) << command;
    EXPECT_EQ(result.err, "Disk full.\n") << command;
  }
}

// Cells of 4 x 4 pixels sum 16 heights of 3e38 / 8: more than a float holds.
TEST_F(MessagesCliTest, HeightsBeyondTheFloatRangeAreRefusedAndTheOldFileStays) {
  const std::string map = WriteMap("map.bmp", TwoColourMap(4, 2));
  tools::WriteFileBytes(dir_.File("t.raw"), "old");
  const CommandResult result = Generate(map, "t.raw", "3e38", "2");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, std::string(kNotFiniteVertex) + "\n");
  EXPECT_EQ(test::ReadFileBytes(dir_.File("t.raw")), "old");
  EXPECT_EQ(Generate(map, "t.raw", "1e30", "2").exit_status, 0);
}

// Qt's decoder reads colour maps of more bits; its warnings never reach the user.
TEST_F(MessagesCliTest, MapsUnderNamesThatAreNotTextOpen) {
  for (const int bits : {4, 24}) {
    BmpDescription description = TwoColourMap(bits);
    if (bits == 24) description.colours_used = 2;
    const std::string map = WriteMap("m\xe9\xff" + std::to_string(bits) + ".bmp", description);
    const CommandResult result = Generate(map, "t\xe9.3df", "100");
    EXPECT_EQ(result.exit_status, 0) << bits << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(test::FileExists(dir_.File("t\xe9.3df")));
  }
}

}  // namespace
}  // namespace orvandel
