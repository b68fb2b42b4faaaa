// Maps as people bring them: written by ImageMagick, larger than Qt's decoder takes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "bmp_builder.h"
#include "run_command.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::CommandResult;
using test::TempDir;

// The settings of every run: a square world as wide as the map, heights for all colours.
CommandResult Generate(const std::string& map, const std::string& output, int side, int interval) {
  const std::string size = std::to_string(side);
  std::vector<std::string> args = {"generate",    map,          output,
                                   "--map-width", size,         "--map-height",
                                   size,          "--interval", std::to_string(interval)};
  args.insert(args.end(), {"--water", "0", "--lawn", "300", "--snow", "600"});
  for (int k = 0; k < 16; ++k) {
    args.insert(args.end(), {"--height", std::to_string(k) + "=" + std::to_string(50 * k)});
  }
  return test::RunCommand(ORVANDEL_CLI, args);
}

std::string ProgramInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path == nullptr ? "" : path);
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = folder + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << 8 * i;
  return value;
}

// ImageMagick writes a V5 info header by default, the 40-byte header for BMP3: and the OS/2
// core header for BMP2:. The three maps of one picture give the same mesh.
TEST(MapFilesCliTest, ImageMagickMapsOfEveryHeaderGiveTheSameMesh) {
  const std::string convert = ProgramInPath("convert");
  if (convert.empty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  TempDir dir;
  const std::string picture = dir.File("picture.png");
  ASSERT_EQ(
      test::RunCommand(convert, {"-size", "97x61", "gradient:navy-gold", "-swirl", "300", picture})
          .exit_status,
      0);
  const struct {
    const char* format;
    std::uint32_t info_header_size;
  } kinds[] = {{"", 124}, {"BMP3:", 40}, {"BMP2:", 12}};
  std::vector<std::string> meshes;
  for (const auto& kind : kinds) {
    const std::string map = dir.File("map" + std::to_string(kind.info_header_size) + ".bmp");
    ASSERT_EQ(test::RunCommand(convert, {picture, "-colors", "16", kind.format + map}).exit_status,
              0);
    EXPECT_EQ(U32At(test::ReadFileBytes(map), 14), kind.info_header_size);
    const CommandResult result = Generate(map, dir.File("t.3df"), 97, 3);
    EXPECT_EQ(result.exit_status, 0) << kind.format << result.err;
    meshes.push_back(test::ReadFileBytes(dir.File("t.3df")));
  }
  EXPECT_GT(meshes[0].size(), 32u * 20 * 12);
  EXPECT_EQ(meshes[0], meshes[1]);
  EXPECT_EQ(meshes[0], meshes[2]);
}

// A 1-bit map 16400 x 16400, black left of a slanted border and white right of it, its
// rows written whole.
void WriteBorderMap(const std::string& path) {
  tools::BmpDescription bmp;
  bmp.width = 16400;
  bmp.bits_per_pixel = 1;
  bmp.palette = {tools::Grey(0), tools::Grey(255)};
  std::string bytes = tools::EncodeBmp(bmp);  // no rows yet
  bytes.replace(22, 4, std::string("\x10\x40\0\0", 4));
  for (int y = 0; y < 16400; ++y) {
    std::string row(16400 / 8, '\xff');
    std::fill_n(row.begin(), 500 + y / 16, '\0');
    bytes += row + std::string(2, '\0');
  }
  tools::WriteFileBytes(path, bytes);
}

// Qt's decoder takes no BMP of more than 16384 x 16384 pixels.
TEST(MapFilesCliTest, MapBeyondTheDecodersLimitGenerates) {
  TempDir dir;
  WriteBorderMap(dir.File("big.bmp"));
  const CommandResult result = Generate(dir.File("big.bmp"), dir.File("t.3df"), 16400, 400);
  EXPECT_EQ(result.exit_status, 0) << result.err;
  const std::string mesh = test::ReadFileBytes(dir.File("t.3df"));
  EXPECT_EQ(U32At(mesh, 3), 41u * 41);
}

}  // namespace
}  // namespace orvandel
