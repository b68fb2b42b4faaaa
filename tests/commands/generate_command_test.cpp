#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "bmp_builder.h"
#include "generation.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::FileExists;
using test::Generation;
using test::ReadFileBytes;
using test::TempDir;
using test::TwoByTwoExample;

TEST(GenerateCommandTest, NoMapLoaded) {
  Generation g = TwoByTwoExample();
  g.session.MapFileName.clear();
  EXPECT_EQ(g.Run("x.3df"), "No map loaded!");
  EXPECT_EQ(g.dialogs_shown, 0);
}

TEST(GenerateCommandTest, BlankSettingsFieldComesBeforeTheDialog) {
  Generation g = TwoByTwoExample();
  g.panel.settings[5] = "     ";
  g.panel.settings[0] = "abc";  // never converted: emptiness is tested first
  EXPECT_EQ(g.Run("x.3df"), "One or more important values not set!");
  EXPECT_EQ(g.dialogs_shown, 0);
}

TEST(GenerateCommandTest, DialogSettingsFollowTheOutputItem) {
  Generation g = TwoByTwoExample();
  // The chosen item's filter comes first, the formats for today's 3D tools after it.
  const std::string today =
      "|STL binary mesh (3D printing) (*.stl)|*.stl|Wavefront OBJ with materials (*.obj)|*.obj"
      "|PLY binary mesh with colours (*.ply)|*.ply|glTF 2.0 binary (*.glb)|*.glb"
      "|3MF with colours (3D printing) (*.3mf)|*.3mf";
  g.panel.output_item = "PLG";
  EXPECT_EQ(g.Run(""), "");  // cancelled: nothing happens
  EXPECT_EQ(g.last_dialog.title, "Generate 3D file");
  EXPECT_EQ(g.last_dialog.filter, "PLG object format (REND386) (*.plg)|*.plg" + today);
  EXPECT_EQ(g.last_dialog.default_extension, "plg");
  EXPECT_EQ(g.state.OutputFileName, "");
  g.panel.output_item = "ASC";
  g.Run("");
  EXPECT_EQ(g.last_dialog.filter, "ASC format (3D Studio) (*.asc)|*.asc" + today);
  EXPECT_EQ(g.last_dialog.default_extension, "asc");
  g.panel.output_item = "RAW";
  g.Run("");
  EXPECT_EQ(g.last_dialog.filter, "RAW triangle format (no shading) (*.raw)|*.raw" + today);
  EXPECT_EQ(g.last_dialog.default_extension, "raw");
  g.panel.output_item = "3DF";
  g.Run("");
  EXPECT_EQ(g.last_dialog.filter, "3DF (internal) format (*.3df)|*.3df" + today);
  EXPECT_EQ(g.last_dialog.default_extension, "3df");
}

TEST(GenerateCommandTest, ExtensionChoosesTheWriter) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  g.panel.output_item = "ASC";
  ASSERT_EQ(g.Run(dir.File("hill.Raw")), "");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.Raw")).substr(0, 8), "-0.5000 ");
  ASSERT_EQ(g.Run(dir.File("terrain.3dfx")), "");
  EXPECT_EQ(ReadFileBytes(dir.File("terrain.3dfx")).size(), 91u);
  ASSERT_EQ(g.Run(dir.File("hill.pLg")), "");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.pLg")).substr(0, 4), "hill");
}

TEST(GenerateCommandTest, TodaysFormatsByTheirExtensions) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  const std::pair<const char*, std::string> files[] = {
      {"hill.StL", "ORVANDEL"}, {"hill.PLY", "ply\n"}, {"hill.gLb", "glTF"}, {"hill.Obj", "# ORV"}};
  for (const auto& [name, start] : files) {
    ASSERT_EQ(g.Run(dir.File(name)), "");
    EXPECT_EQ(ReadFileBytes(dir.File(name)).substr(0, start.size()), start);
  }
  EXPECT_EQ(dir.Listing(), "hill.Obj hill.PLY hill.StL hill.gLb hill.mtl");
  EXPECT_NE(ReadFileBytes(dir.File("hill.Obj")).find("\r\nmtllib hill.mtl\r\n"), std::string::npos);
}

TEST(GenerateCommandTest, InvalidFileExtensionAfterTheSettingsWereRead) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  EXPECT_EQ(g.Run(dir.File("terrain.3d")), "Invalid file extension!");
  EXPECT_EQ(g.state.grid_layout.CellSize, 2);
  EXPECT_EQ(g.state.OutputFileName, dir.File("terrain.3d"));
  EXPECT_EQ(g.Run(dir.File("maps.old/hill")), "Invalid file extension!");
  EXPECT_EQ(dir.Listing(), "");
}

TEST(GenerateCommandTest, SettingsChecksComeBeforeTheExtension) {
  Generation g = TwoByTwoExample();
  g.panel.settings[5] = "1000";
  EXPECT_EQ(g.Run("terrain.txt"), "Invalid interval!");
}

TEST(GenerateCommandTest, MustSetAtLeastOneHeightLeavesTheOldFile) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  ASSERT_EQ(g.Run(dir.File("hill.3df")), "");
  g.panel.heights = {};
  EXPECT_EQ(g.Run(dir.File("hill.3df")), "Must set at least one height!");
  EXPECT_EQ(ReadFileBytes(dir.File("hill.3df")).size(), 91u);
  EXPECT_EQ(g.Run(dir.File("new.asc")), "Must set at least one height!");
  EXPECT_EQ(dir.Listing(), "hill.3df");
}

TEST(GenerateCommandTest, FailedWriteLeavesNoFileBehind) {
  Generation g = TwoByTwoExample();
  EXPECT_EQ(g.Run("/nonexistent-folder/hill.3df"), "File not found.");
  EXPECT_EQ(g.Run("/proc/hill.asc"), "File not found.");
}

// The save dialog's answer may name the map itself, also through a link; the map stays.
TEST(GenerateCommandTest, OutputThatIsTheMapIsRefused) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  g.session.MapFileName = dir.File("map.bmp");
  tools::WriteFileBytes(g.session.MapFileName, "the map");
  symlink("map.bmp", dir.File("linked.asc").c_str());
  link(g.session.MapFileName.c_str(), dir.File("same.plg").c_str());
  for (const char* output : {"linked.asc", "same.plg"})
    EXPECT_EQ(g.Run(dir.File(output)), "The output file is the input file!") << output;
  EXPECT_EQ(ReadFileBytes(g.session.MapFileName), "the map");
}

TEST(GenerateCommandTest, WriteProtectedOutputIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write anything";
  TempDir dir;
  const std::string path = dir.File("locked.plg");
  Generation g = TwoByTwoExample();
  ASSERT_EQ(g.Run(path), "");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(g.Run(path), "File access denied.");
}

// Lets files grow to limit bytes only; writes beyond fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST(GenerateCommandTest, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  ASSERT_EQ(g.Run(dir.File("hill.asc")), "");
  const std::string before = ReadFileBytes(dir.File("hill.asc"));
  g.panel.settings[kWater] = "100";
  {
    FileSizeLimit limit(100);
    EXPECT_EQ(g.Run(dir.File("hill.asc")), "Disk full.");
  }
  EXPECT_EQ(ReadFileBytes(dir.File("hill.asc")), before);
  EXPECT_EQ(dir.Listing(), "hill.asc");
}

TEST(GenerateCommandTest, ObjAndItsMaterialsAppearTogetherOrNotAtAll) {
  TempDir dir;
  Generation g = TwoByTwoExample();
  ASSERT_EQ(g.Run(dir.File("hill.obj")), "");
  const std::string obj = ReadFileBytes(dir.File("hill.obj"));
  const std::string mtl = ReadFileBytes(dir.File("hill.mtl"));
  g.options.base = 10;  // more to write, and a fifth material
  {
    FileSizeLimit limit(obj.size());
    EXPECT_EQ(g.Run(dir.File("hill.obj")), "Disk full.");
    EXPECT_EQ(g.Run(dir.File("new.obj")), "Disk full.");
  }
  EXPECT_EQ(ReadFileBytes(dir.File("hill.obj")), obj);
  EXPECT_EQ(ReadFileBytes(dir.File("hill.mtl")), mtl);
  EXPECT_EQ(dir.Listing(), "hill.mtl hill.obj");
  ASSERT_EQ(g.Run(dir.File("hill.obj")), "");
  EXPECT_NE(ReadFileBytes(dir.File("hill.mtl")).find("newmtl base\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orvandel
