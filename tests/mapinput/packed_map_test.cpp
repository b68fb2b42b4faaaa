#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "failure_message.h"
#include "orvandel/mapinput/packed_map.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

// The message that reading the pixels of a map with a usable header ends with, or "".
std::string MessageOfReading(const tools::BmpDescription& bmp, std::size_t cut = 0) {
  test::TempDir dir;
  const std::string bytes = tools::EncodeBmp(bmp);
  tools::WriteFileBytes(dir.File("map.bmp"), bytes.substr(0, bytes.size() - cut));
  MapHeader header;
  MapPalette palette;
  BinaryReader file(dir.File("map.bmp"));
  if (ReadMapHeader(file, header, palette) != kMapUsable) return "header";
  return test::MessageOf([&] { ReadPackedMap(file, header); });
}

// The table that the header declares must end before the pixels, or the decoder would
// take pixels for colours and read the rows from a place where they are not.
TEST(PackedMapTest, TablesThatRunIntoThePixelsAndBrokenFilesAreRefused) {
  tools::BmpDescription map;
  map.width = 5;
  map.height = 3;
  map.palette.assign(16, tools::Grey(7));
  map.pixels.assign(15, 1);
  EXPECT_EQ(MessageOfReading(map), "");
  EXPECT_EQ(MessageOfReading(map, 1), "Bitmap image is not valid.");
  tools::BmpDescription overlap = map;
  overlap.pixel_data_offset = 54 + 15 * 4;  // 16 entries declared
  EXPECT_EQ(MessageOfReading(overlap), "BMP header overlaps the pixel data!");
  overlap.pixel_data_offset = 54;  // passes the header check, keeping the old palette
  EXPECT_EQ(MessageOfReading(overlap), "BMP header overlaps the pixel data!");
  tools::BmpDescription negative = map;
  negative.colours_used = -1;
  EXPECT_EQ(MessageOfReading(negative), "Bitmap image is not valid.");
  tools::BmpDescription empty = map;
  empty.width = 0;
  EXPECT_EQ(MessageOfReading(empty), "Bitmap image is not valid.");
}

}  // namespace
}  // namespace orvandel
