#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <stdexcept>

#include "bmp_builder.h"
#include "generation.h"
#include "run_command.h"
#include "scene_file.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::RunCommand;
using test::SceneFileBytes;
using test::TempDir;

CommandResult Render(std::vector<std::string> args) {
  args.insert(args.begin(), "render");
  return RunCommand(ORVANDEL_CLI, args);
}

// The path of a program on PATH, or "" when there is none.
std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path == nullptr ? "" : path);
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / program;
    if (std::filesystem::exists(candidate)) return candidate.string();
  }
  return "";
}

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      colours.insert(image.pixel(x, y));
  }
  return colours;
}

// A round hill of four height bands on a 24 x 24 map, one pixel per cell.
std::string HillScene(const TempDir& dir) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      const int d2 = (x - 12) * (x - 12) + (y - 12) * (y - 12);
      pixels.push_back(static_cast<std::uint8_t>(d2 < 9 ? 4 : d2 < 36 ? 3 : d2 < 81 ? 2 : 1));
    }
  }
  test::Generation g(24, 24, pixels);
  g.panel.settings = {"50", "150", "350", "2400", "2400", "100"};
  for (int k = 1; k <= 4; ++k)
    g.panel.heights[k] = std::to_string(100 * k);
  const std::string file = dir.File("hill.3df");
  if (!g.Run(file).empty()) throw std::runtime_error("cannot generate the hill");
  return file;
}

TEST(RenderCliTest, GeneratedTerrainRendersSilently) {
  TempDir dir;
  const CommandResult result = Render({HillScene(dir), dir.File("hill.bmp")});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out + result.err, "");
  const QImage picture(QString::fromStdString(dir.File("hill.bmp")));
  EXPECT_EQ(picture.size(), QSize(550, 418));
  EXPECT_GT(Colours(picture).size(), 4u);  // black and shades of the height classes
}

TEST(RenderCliTest, PictureOpensInImageMagick) {
  TempDir dir;
  ASSERT_EQ(Render({HillScene(dir), dir.File("hill.bmp"), "--size", "64x48"}).exit_status, 0);
  const std::string identify = FindOnPath("identify");
  if (identify.empty()) GTEST_SKIP() << "ImageMagick's identify is not installed";
  const CommandResult identified =
      RunCommand(identify, {"-format", "%m %wx%h %z", dir.File("hill.bmp")});
  EXPECT_EQ(identified.exit_status, 0) << identified.err;
  EXPECT_EQ(identified.out, "BMP3 64x48 8");  // Windows 3 BMP, 8 bits per channel
}

TEST(RenderCliTest, WireFrameHoldsOnlyBlackAndWhite) {
  TempDir dir;
  const CommandResult result =
      Render({HillScene(dir), dir.File("wire.bmp"), "--wire", "--observer", "35,10"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(Colours(QImage(QString::fromStdString(dir.File("wire.bmp")))),
            (std::set<QRgb>{0xFF000000, 0xFFFFFFFF}));
}

TEST(RenderCliTest, FailuresGiveTheirMessageAndNoPicture) {
  TempDir dir;
  const std::string good = SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}, {{0, 1, 2, 120}});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {SceneFileBytes({{0, 0, 0}, {1, 0, 0}}, {}), "Invalid file!\n"},
      {SceneFileBytes({{1, 2, 3}}, {{0, 0, 0, 24}}), "Division by zero!\n"},
      {good.substr(0, good.size() - 1), "Read beyond end of file.\n"},
      {SceneFileBytes({{0, 0, 0}, {1, 0, 0}}, {{0, 1, 2, 120}}), "List index out of bounds.\n"},
      {"", "Read beyond end of file.\n"},
  };
  for (const auto& [bytes, message] : cases) {
    tools::WriteFileBytes(dir.File("bad.3df"), bytes);
    const CommandResult result = Render({dir.File("bad.3df"), dir.File("bad.bmp")});
    EXPECT_EQ(result.exit_status, 1) << message;
    EXPECT_EQ(result.out + result.err, message);
    EXPECT_EQ(dir.Listing(), "bad.3df") << message;
  }
  EXPECT_EQ(Render({dir.File("none.3df"), dir.File("none.bmp")}).err, "File not found.\n");
}

// A scene of count copies of one face that covers the whole picture at a zoom of 20.
std::string OverdrawScene(const TempDir& dir, int count) {
  const std::vector<test::TriangleRecord> faces(static_cast<std::size_t>(count), {0, 1, 2, 120});
  const std::string file = dir.File("overdraw.3df");
  tools::WriteFileBytes(file, SceneFileBytes({{1, 0, 0}, {-1, 1, 0}, {-1, -1, 0}}, faces));
  return file;
}

// Past its time limit the render gives up in one line and writes nothing: an older picture
// stays as it was. Within its limit it draws what it draws without one.
TEST(RenderCliTest, TimeLimitStopsTheRenderAndKeepsTheOldPicture) {
  TempDir dir;
  const std::string scene = OverdrawScene(dir, 200000);  // hours of painting at this size
  tools::WriteFileBytes(dir.File("old.bmp"), "the old picture");
  for (const auto& [given, shown] : {std::pair{"0.05", "0.05"}, std::pair{".2", "0.2"}}) {
    const CommandResult result = Render(
        {scene, dir.File("old.bmp"), "--size", "4000x4000", "--zoom", "20", "--timeout", given});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out + result.err, std::string("Render stopped after ") + shown + " s.\n");
    EXPECT_EQ(test::ReadFileBytes(dir.File("old.bmp")), "the old picture");
  }
  EXPECT_EQ(dir.Listing(), "old.bmp overdraw.3df");

  const std::string hill = HillScene(dir);
  ASSERT_EQ(Render({hill, dir.File("unlimited.bmp")}).exit_status, 0);
  const CommandResult limited = Render({hill, dir.File("limited.bmp"), "--timeout", "600"});
  EXPECT_EQ(limited.exit_status, 0);
  EXPECT_EQ(limited.out + limited.err, "");
  EXPECT_EQ(test::ReadFileBytes(dir.File("limited.bmp")),
            test::ReadFileBytes(dir.File("unlimited.bmp")));
}

TEST(RenderCliTest, WrongUsageNamesTheHelp) {
  const CommandResult result = Render({"only-a-scene.3df"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "orvandel-cli: render needs SCENE and OUTPUT.bmp (see \"orvandel-cli help render\")\n");
  EXPECT_EQ(Render({"a.3df", "b.bmp", "--zoom", "0"}).exit_status, 2);
}

}  // namespace
}  // namespace orvandel
