#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "failure_message.h"
#include "orvandel/mapinput/packed_map.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using tools::BmpDescription;

// A 4-bit map 5 x 3 whose pixel in column x of row y (top row 0) has index 3 y + x % 3.
BmpDescription Map() {
  BmpDescription bmp;
  bmp.width = 5;
  bmp.height = 3;
  for (int k = 0; k < 16; ++k)
    bmp.palette.push_back(tools::Grey(10 * k));
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x)
      bmp.pixels.push_back(static_cast<std::uint32_t>(3 * y + x % 3));
  }
  return bmp;
}

class PackedMapTest : public ::testing::Test {
 protected:
  // Reads the map as the open-map command does; returns the message it ends with, or "".
  std::string Read(const std::string& bytes) {
    const std::string path = dir_.File("map.bmp");
    tools::WriteFileBytes(path, bytes);
    MapPalette palette;
    if (ReadMapHeader(path, header_, palette) != kMapUsable) return "refused by its header";
    return test::MessageOf([&] { map_ = ReadPackedMap(path, header_); });
  }
  std::vector<PackedColour> Row(int y) {
    std::vector<PackedColour> row(static_cast<std::size_t>(map_->Width()));
    map_->ReadRow(y, row);
    return row;
  }

  test::TempDir dir_;
  MapHeader header_;
  std::unique_ptr<PackedMap> map_;
};

TEST_F(PackedMapTest, RowsAreReadAsStored) {
  for (const bool top_down : {false, true}) {
    BmpDescription bmp = Map();
    bmp.top_down = top_down;
    ASSERT_EQ(Read(EncodeBmp(bmp) + "trailing bytes"), "");
    EXPECT_EQ(map_->Width(), 5);
    EXPECT_EQ(map_->Height(), 3);
    EXPECT_EQ(map_->IndexBits(), 4);
    EXPECT_EQ(map_->IndexRow(2)[0], 0x67);  // pixels 0 and 1 of the bottom row
    EXPECT_EQ(Row(1), (std::vector<PackedColour>{tools::Grey(30), tools::Grey(40), tools::Grey(50),
                                                 tools::Grey(30), tools::Grey(40)}));
  }
}

TEST_F(PackedMapTest, IndexBeyondTheTableShowsBlack) {
  BmpDescription bmp = Map();
  bmp.palette.resize(4);
  bmp.palette[0] = tools::Grey(255);
  ASSERT_EQ(Read(EncodeBmp(bmp)), "");
  EXPECT_EQ(map_->ColourTable().size(), 4u);
  EXPECT_EQ(Row(1)[0], tools::Grey(30));
  EXPECT_EQ(Row(1)[1], 0u);
  EXPECT_EQ(Row(0)[0], tools::Grey(255));
}

// The table that the header declares must end before the pixels, or the decoder would
// take pixels for colours and read the rows from a place where they are not.
TEST_F(PackedMapTest, TablesThatRunIntoThePixelsAndBrokenFilesAreRefused) {
  BmpDescription overlap = Map();
  overlap.pixel_data_offset = 54 + 15 * 4;  // 16 entries declared
  BmpDescription no_table = Map();
  no_table.pixel_data_offset = 54;  // passes the header check, keeping the old palette
  BmpDescription negative = Map();
  negative.colours_used = -1;
  BmpDescription empty = Map();
  empty.width = 0;
  EXPECT_EQ(Read(EncodeBmp(overlap)), "BMP header overlaps the pixel data!");
  EXPECT_EQ(Read(EncodeBmp(no_table)), "BMP header overlaps the pixel data!");
  EXPECT_EQ(Read(EncodeBmp(negative)), "Bitmap image is not valid.");
  EXPECT_EQ(Read(EncodeBmp(empty)), "Bitmap image is not valid.");
  const std::string whole = EncodeBmp(Map());
  EXPECT_EQ(Read(whole.substr(0, whole.size() - 1)), "Bitmap image is not valid.");
}

TEST(UnpackIndexesTest, EveryPackingLeftmostPixelHighest) {
  const std::uint8_t row[] = {0xB4, 0x1F};
  std::uint8_t out[16] = {};
  UnpackIndexes(row, 1, 10, out);
  EXPECT_EQ(std::vector<int>(out, out + 10), (std::vector<int>{1, 0, 1, 1, 0, 1, 0, 0, 0, 0}));
  UnpackIndexes(row, 4, 3, out);
  EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{11, 4, 1}));
  UnpackIndexes(row, 8, 2, out);
  EXPECT_EQ(std::vector<int>(out, out + 2), (std::vector<int>{0xB4, 0x1F}));
}

}  // namespace
}  // namespace orvandel
