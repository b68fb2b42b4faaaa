#include <gtest/gtest.h>

#include <unistd.h>

#include "bmp_builder.h"
#include "run_command.h"
#include "scene_file.h"
#include "device_files.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::ReadFileBytes;
using test::RunCommand;
using test::TempDir;

class OutputFilesCliTest : public ::testing::Test {
 protected:
  OutputFilesCliTest() {
    tools::WriteFileBytes(
        scene_, test::SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}, {{0, 1, 2, 120}}));
    tools::BmpDescription map;
    map.width = 8;
    map.height = 8;
    map.palette = {tools::Grey(0), tools::Grey(128)};
    for (int k = 0; k < 64; ++k)
      map.pixels.push_back(k % 8 < 4 ? 0 : 1);
    tools::WriteFileBytes(map_, tools::EncodeBmp(map));
  }

  static CommandResult Render(const std::string& scene, const std::string& output) {
    return RunCommand(ORVANDEL_CLI, {"render", scene, output, "--size", "8x8"});
  }
  static CommandResult Generate(const std::string& map, const std::string& output) {
    return RunCommand(
        ORVANDEL_CLI,
        {"generate", map, output, "--height", "0=10", "--height", "1=20", "--water", "0", "--lawn",
         "15", "--snow", "18", "--map-width", "80", "--map-height", "80", "--interval", "10"});
  }
  std::string Link(const std::string& to, const std::string& name) const {
    ::symlink(to.c_str(), dir_.File(name).c_str());
    return dir_.File(name);
  }
  std::string HardLink(const std::string& to, const std::string& name) const {
    ::link(to.c_str(), dir_.File(name).c_str());
    return dir_.File(name);
  }

  TempDir dir_;
  const std::string scene_ = dir_.File("scene.3df");
  const std::string map_ = dir_.File("map.bmp");
};

TEST_F(OutputFilesCliTest, RenderOntoItsOwnSceneIsRefused) {
  const std::string scene = ReadFileBytes(scene_);
  for (const std::string& output :
       {scene_, Link("scene.3df", "symbolic.bmp"), HardLink(scene_, "hard.bmp")}) {
    const CommandResult result = Render(scene_, output);
    EXPECT_EQ(result.exit_status, 1) << output;
    EXPECT_EQ(result.out + result.err, "The output file is the input file!\n") << output;
  }
  EXPECT_EQ(ReadFileBytes(scene_), scene);
}

TEST_F(OutputFilesCliTest, GenerateOntoItsOwnMapIsRefused) {
  const std::string map = ReadFileBytes(map_);
  Link("map.bmp", "terrain.mtl");  // the library an OBJ file writes beside it
  for (const std::string& output :
       {Link("map.bmp", "symbolic.3df"), HardLink(map_, "hard.3df"), dir_.File("terrain.obj")}) {
    const CommandResult result = Generate(map_, output);
    EXPECT_EQ(result.exit_status, 1) << output;
    EXPECT_EQ(result.out + result.err, "The output file is the input file!\n") << output;
  }
  EXPECT_EQ(ReadFileBytes(map_), map);
  EXPECT_EQ(Generate(map_, dir_.File("terrain.3df")).exit_status, 0);  // another file is fine
}

TEST_F(OutputFilesCliTest, RenderOutputMustBeABmpFileOrADevice) {
  const CommandResult png = Render(scene_, dir_.File("picture.png"));
  EXPECT_EQ(png.exit_status, 2);
  EXPECT_EQ(png.err,
            "orvandel-cli: render writes BMP files: OUTPUT must end in .bmp (see \"orvandel-cli "
            "help render\")\n");
  EXPECT_EQ(Render(scene_, dir_.File("PICTURE.BMP")).exit_status, 0);
  const std::string null = test::DeviceLike(dir_, "/dev/null");
  EXPECT_EQ(Render(scene_, null).exit_status, 0);
  EXPECT_TRUE(test::IsCharacterDevice(null));
  EXPECT_FALSE(test::FileExists(dir_.File("picture.png")));
}

TEST_F(OutputFilesCliTest, FullDeviceSaysDiskFullAndStaysADevice) {
  const std::string full = test::DeviceLike(dir_, "/dev/full");
  const CommandResult rendered = Render(scene_, full);
  EXPECT_EQ(rendered.exit_status, 1);
  EXPECT_EQ(rendered.out + rendered.err, "Disk full.\n");
  // generate takes the format from the name: a link named as a mesh leads to the device
  const CommandResult generated = Generate(map_, Link(full, "terrain.3df"));
  EXPECT_EQ(generated.exit_status, 1);
  EXPECT_EQ(generated.out + generated.err, "Disk full.\n");
  EXPECT_TRUE(test::IsCharacterDevice(full));
}

}  // namespace
}  // namespace orvandel
