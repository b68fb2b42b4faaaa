#include <gtest/gtest.h>

#include <QImage>

#include "failure_message.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/render_scene.h"
#include "picture_image.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::ReadFileBytes;
using test::TempDir;

std::uint16_t U16At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

TEST(PictureImageTest, StartsBlackAndSavesAsA24BitBmp) {
  PictureImage picture(5, 3);
  EXPECT_EQ(picture.Image().pixel(4, 2), 0xFF000000u);
  picture.GetCanvas().SetBrushColour(0x00563412);
  picture.GetCanvas().SetPenColour(0x00563412);
  picture.GetCanvas().Polygon({4, 2}, {4, 2}, {4, 2});
  EXPECT_EQ(picture.Image().pixel(4, 2), 0xFF123456u);

  TempDir dir;
  picture.SaveBmp(dir.File("picture.bmp"));
  const std::string bytes = ReadFileBytes(dir.File("picture.bmp"));
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(U16At(bytes, 28), 24);  // bits per pixel
  const QImage saved(QString::fromStdString(dir.File("picture.bmp")));
  ASSERT_EQ(saved.size(), QSize(5, 3));
  EXPECT_EQ(saved.pixel(4, 2), 0xFF123456u);
  EXPECT_EQ(saved.pixel(0, 0), 0xFF000000u);
}

TEST(PictureImageTest, FailedSaveLeavesNoFile) {
  PictureImage picture(5, 3);
  TempDir dir;
  EXPECT_EQ(test::MessageOf([&] { picture.SaveBmp(dir.File("missing/picture.bmp")); }),
            "File not found.");
  EXPECT_EQ(dir.Listing(), "");
}

}  // namespace
}  // namespace orvandel
