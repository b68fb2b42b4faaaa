// Pictures pinned by the checksums of the BMP files that orvandel-cli render has always
// made of them: the sample valley and hand-made scenes, at ordinary and extreme angles,
// zooms and sizes, shaded and as wire frames, in file order and in depth order.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assimp_mesh_reader.h"
#include "bmp_builder.h"
#include "orvandel/commands/scene_commands.h"
#include "picture_image.h"
#include "reference_scenes.h"
#include "run_command.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::RunCommand;
using test::TempDir;

struct PictureCase {
  const char* scene;
  std::vector<std::string> options;
  std::uint64_t checksum;
};

// clang-format off
const PictureCase kCases[] = {
    {"valley", {}, 0xE8C77FC6FE6582A7u},
    {"valley", {"--observer", "35,10"}, 0xC8234DF088F61EBDu},
    {"valley", {"--observer", "90,0"}, 0xED912E5D0599D64Cu},
    {"valley", {"--observer", "0,0", "--sun", "0,45"}, 0x4A200D417CB85FC4u},
    {"valley", {"--observer", "270,135", "--sun", "300,45"}, 0xCAB314A322DD049Au},
    {"valley", {"--observer", "355,355", "--sun", "5,270"}, 0xDB4A8EDE20207A32u},
    {"valley", {"--zoom", "3.7"}, 0x7C3A77D6F9AAFAB7u},
    {"valley", {"--zoom", "0.05"}, 0x2D92C104D9FBC99Du},
    {"valley", {"--wire"}, 0x7A6B8B5F42D5767Au},
    {"valley", {"--wire", "--zoom", "2.5", "--observer", "60,300"}, 0x7AF052299C4E1F70u},
    {"valley", {"--size", "1021x77"}, 0xD28B8D1602E3F49Eu},
    {"valley", {"--size", "3x2", "--observer", "45,45"}, 0x5EAF39170F2DDC75u},
    {"overlap", {}, 0x126131D9C3F1B431u},
    {"overlap", {"--observer", "0,0"}, 0x651EE1E5C827C67Au},
    {"overlap", {"--observer", "180,90", "--sun", "45,20"}, 0xD638F41099941FAFu},
    {"overlap", {"--wire", "--observer", "10,200"}, 0x575EB5F5E3A58E9Au},
    {"far", {}, 0xE987C2C798F5DC9Cu},
    {"far", {"--zoom", "0.02"}, 0x6B60AA193413C208u},
    {"far", {"--zoom", "0.3", "--observer", "50,100"}, 0x437D0F0C649329C6u},
    {"far", {"--zoom", "4000000", "--observer", "80,10"}, 0xE1953515CF477BDAu},
    {"far", {"--wire", "--zoom", "0.3"}, 0xDDC8422EFF037580u},
    {"soup", {}, 0x1C6DB84539828061u},
    {"soup", {"--observer", "125,250", "--sun", "20,340"}, 0xA03F050ADA622CC3u},
    {"soup", {"--wire", "--zoom", "1.9"}, 0x68E4434EFA325BA2u},
    {"soup", {"--size", "2000x1500", "--zoom", "0.6"}, 0xDF3FEE49C75FFD01u},
    {"valley", {"--depth"}, 0xBF8C9633AC68E6A3u},
    {"valley", {"--depth", "--wire", "--observer", "35,10"}, 0x569600278BA9DA87u},
    {"overlap", {"--depth", "--observer", "180,90", "--sun", "45,20"}, 0x44C44BD1FC79A696u},
    {"far", {"--depth", "--zoom", "4000000", "--observer", "80,10"}, 0xF7773DACEB1D1AD3u},
    {"far", {"--depth", "--wire", "--zoom", "0.3"}, 0xB7CF1522220CF31Eu},
    {"soup", {"--depth", "--observer", "125,250", "--sun", "20,340"}, 0x3DA3013935E972A1u},
    {"soup", {"--depth", "--wire", "--zoom", "1.9"}, 0x719E89E40D0CC93Du},
};
// clang-format on

std::uint64_t Checksum(const std::string& bytes) {  // FNV-1a
  std::uint64_t hash = 14695981039346656037u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211u;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(value));
  return text;
}

// The sample valley with every band 100 higher than the one before, and the hand-made
// scenes, made once for all cases.
class RenderPicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    tools::WriteFileBytes(dir_->File("overlap.3df"), test::OverlapScene().Bytes());
    tools::WriteFileBytes(dir_->File("far.3df"), test::FarScene().Bytes());
    tools::WriteFileBytes(dir_->File("soup.3df"), test::SoupScene(3000).Bytes());
    generated_ = Generate("valley.3df");
  }
  static CommandResult Generate(const std::string& output) {
    std::vector<std::string> args = {"generate", ORVANDEL_SAMPLES "/valley.bmp",
                                     dir_->File(output)};
    for (int k = 0; k < 16; ++k)
      args.insert(args.end(), {"--height", std::to_string(k) + "=" + std::to_string(100 * k)});
    args.insert(args.end(), {"--water", "250", "--lawn", "800", "--snow", "1200", "--map-width",
                             "6400", "--map-height", "4800", "--interval", "20"});
    return RunCommand(ORVANDEL_CLI, args);
  }
  static void TearDownTestSuite() { dir_.reset(); }

  // The checksum of the picture of case c, or the message that ended the render.
  static std::string Picture(const PictureCase& c, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"render", dir_->File(std::string(c.scene) + ".3df"),
                                     dir_->File("picture.bmp")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), extra.begin(), extra.end());
    const CommandResult result = RunCommand(ORVANDEL_CLI, args);
    if (result.exit_status != 0) return result.err;
    return Hex(Checksum(test::ReadFileBytes(dir_->File("picture.bmp"))));
  }

  static std::unique_ptr<TempDir> dir_;
  static CommandResult generated_;
};

std::unique_ptr<TempDir> RenderPicturesTest::dir_;
CommandResult RenderPicturesTest::generated_;

TEST_F(RenderPicturesTest, PicturesStayTheSameOnAnyNumberOfThreads) {
  ASSERT_EQ(generated_.exit_status, 0) << generated_.err;
  // On one thread and on more threads than the machine may have, every other case.
  for (std::size_t k = 0; k < std::size(kCases); ++k) {
    const PictureCase& c = kCases[k];
    std::string options = c.scene;
    for (const std::string& option : c.options)
      options += " " + option;
    const char* threads = k % 2 == 0 ? "1" : "3";
    EXPECT_EQ(Picture(c, {"--threads", threads}), Hex(c.checksum)) << options << " " << threads;
  }
}

// The command line draws what the core draws: in depth order, and the mesh files of
// today's tools, named in any case.
TEST_F(RenderPicturesTest, CommandLineDrawsWhatTheCoreDraws) {
  ASSERT_EQ(generated_.exit_status, 0) << generated_.err;
  ASSERT_EQ(Generate("valley.STL").exit_status, 0);
  ViewSettings depth;
  depth.paint_order = PaintOrder::kDepth;
  ViewSettings wire = depth;
  wire.shaded = false;
  struct Case {
    const char* scene;
    std::vector<std::string> options;
    ViewSettings view;
    std::optional<HeightLevels> levels;
  };
  const Case cases[] = {
      {"valley.3df", {"--depth"}, depth, std::nullopt},
      {"valley.3df", {"--wire", "--depth"}, wire, std::nullopt},
      {"valley.STL", {"--depth", "--levels", "250,800,1200"}, depth, HeightLevels{250, 800, 1200}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"render", dir_->File(c.scene), dir_->File("cli.bmp")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(RunCommand(ORVANDEL_CLI, args).err, "") << c.scene;
    PictureImage picture(550, 418);
    RenderSceneFile({dir_->File(c.scene), AssimpMeshReader(), c.levels}, c.view, 2,
                    {picture.GetCanvas(), 550, 418});
    EXPECT_EQ(test::ReadFileBytes(dir_->File("cli.bmp")), picture.BmpBytes()) << c.scene;
  }
}

}  // namespace
}  // namespace orvandel
