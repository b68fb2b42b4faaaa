#include <gtest/gtest.h>

#include <sys/stat.h>

#include "bmp_builder.h"
#include "failure_message.h"
#include "orvandel/fileio/io_error.h"
#include "orvandel/mapinput/map_header.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using tools::BmpDescription;
using tools::EncodeBmp;

std::vector<PackedColour> Greys(int count, int base = 0) {
  std::vector<PackedColour> palette;
  for (int i = 0; i < count; ++i)
    palette.push_back(PackRGB(base + i, base + i, base + i));
  return palette;
}

BmpDescription Map(int bits, int colours) {
  BmpDescription bmp;
  bmp.width = 3;
  bmp.height = 2;
  bmp.bits_per_pixel = bits;
  bmp.palette = Greys(colours);
  bmp.pixels.assign(6, 0);
  return bmp;
}

class MapHeaderTest : public ::testing::Test {
 protected:
  MapReadResult Read(const std::string& bytes) {
    const std::string path = dir_.File("map.bmp");
    tools::WriteFileBytes(path, bytes);
    BinaryReader file(path);
    return ReadMapHeader(file, header_, palette_);
  }

  test::TempDir dir_;
  MapHeader header_;
  MapPalette palette_;
};

TEST_F(MapHeaderTest, SixteenColourMapReplacesTheWholePalette) {
  EXPECT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  EXPECT_EQ(header_.pixel_data_offset, 118);
  EXPECT_EQ(header_.width, 3);
  EXPECT_EQ(header_.height, 2);
  EXPECT_EQ(palette_.entries[15].red, 15);
  EXPECT_EQ(palette_.defined_entries, 16);
}

TEST_F(MapHeaderTest, ShortColourTableReplacesOnlyItsEntries) {
  BmpDescription later = Map(4, 4);
  later.palette = Greys(4, 100);
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  ASSERT_EQ(Read(EncodeBmp(later)), kMapUsable);
  EXPECT_EQ(header_.pixel_data_offset, 70);
  EXPECT_EQ(palette_.entries[3].green, 103);
  EXPECT_EQ(palette_.entries[4].green, 4);
  EXPECT_EQ(palette_.defined_entries, 4);
}

TEST_F(MapHeaderTest, ColourCountDecidesNotBitsPerPixel) {
  EXPECT_EQ(Read(EncodeBmp(Map(1, 2))), kMapUsable);
  EXPECT_EQ(Read(EncodeBmp(Map(8, 16))), kMapUsable);

  BmpDescription eight_bit = Map(8, 16);
  eight_bit.colours_used = 17;
  EXPECT_EQ(Read(EncodeBmp(eight_bit)), kMapTooManyColours);
}

TEST_F(MapHeaderTest, ImplicitColourCountOfTrueColourMaps) {
  BmpDescription rgb = Map(24, 0);
  rgb.colours_used = 0;
  EXPECT_EQ(Read(EncodeBmp(rgb)), kMapTooManyColours);
  EXPECT_EQ(header_.colours_used, 1 << 24);
  EXPECT_EQ(header_.colours_important, 1 << 24);

  BmpDescription rgba = Map(24, 0);
  rgba.bits_per_pixel = 32;
  rgba.colours_used = 0;
  EXPECT_EQ(Read(EncodeBmp(rgba)), kMapTooManyColours);

  // With only one count stored no implicit count is used: colours used 0 passes.
  BmpDescription important = Map(24, 0);
  important.colours_used = 0;
  important.colours_important = 5;
  EXPECT_EQ(Read(EncodeBmp(important)), kMapUsable);
  EXPECT_EQ(header_.colours_used, 0);
  EXPECT_EQ(palette_.defined_entries, 16);
}

TEST_F(MapHeaderTest, CompressionIsTestedBeforeTheColourCount) {
  BmpDescription rle = Map(4, 16);
  rle.compression = 2;
  EXPECT_EQ(Read(EncodeBmp(rle)), kMapCompressed);
  rle.colours_used = 256;
  EXPECT_EQ(Read(EncodeBmp(rle)), kMapCompressed);
}

TEST_F(MapHeaderTest, RefusedMapLeavesThePaletteAlone) {
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  BmpDescription other = Map(4, 16);
  other.palette = Greys(16, 200);
  other.compression = 1;
  EXPECT_EQ(Read(EncodeBmp(other)), kMapCompressed);
  EXPECT_EQ(palette_.entries[0].red, 0);
}

TEST_F(MapHeaderTest, NotABmp) {
  std::string text(60, 'x');
  EXPECT_EQ(Read(text), kMapNotBmp);
  EXPECT_EQ(std::string(MapReadMessages[kMapNotBmp]) + "!", "File corrupted or not BMP!");
}

TEST_F(MapHeaderTest, NothingAfterTheHeadersIsNotABmp) {
  BmpDescription bmp = Map(4, 0);
  bmp.pixels.clear();
  bmp.height = 0;
  const std::string bytes = EncodeBmp(bmp).substr(0, 54);
  ASSERT_EQ(bytes.size(), 54u);
  EXPECT_EQ(Read(bytes), kMapNotBmp);
}

TEST_F(MapHeaderTest, FileShorterThanItsHeadersIsAnIoError) {
  EXPECT_EQ(test::MessageOf([&] { Read(EncodeBmp(Map(4, 16)).substr(0, 30)); }),
            "Read beyond end of file.");
}

TEST_F(MapHeaderTest, NoColourTableKeepsThePreviousPalette) {
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  BmpDescription bare = Map(4, 0);
  bare.colours_used = 16;
  bare.pixel_data_offset = 54;
  EXPECT_EQ(Read(EncodeBmp(bare)), kMapUsable);
  EXPECT_EQ(palette_.entries[9].blue, 9);
  EXPECT_EQ(palette_.defined_entries, 16);
}

TEST_F(MapHeaderTest, ColourTableCutShortKeepsTheBytesItNoLongerCovers) {
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  BmpDescription later = Map(4, 16);
  later.palette = Greys(16, 100);
  // The file ends after the second byte of entry 1.
  EXPECT_EQ(Read(EncodeBmp(later).substr(0, 54 + 4 + 2)), kMapUsable);
  EXPECT_EQ(palette_.entries[0].red, 100);
  EXPECT_EQ(palette_.entries[1].blue, 101);
  EXPECT_EQ(palette_.entries[1].green, 101);
  EXPECT_EQ(palette_.entries[1].red, 1);
  EXPECT_EQ(palette_.entries[2].red, 2);
}

TEST_F(MapHeaderTest, ColourTableBeyondSixteenEntriesIsAnUnknownPalette) {
  for (const std::uint32_t size : {40u, 124u}) {
    BmpDescription gap = Map(4, 16);
    gap.info_header_size = size;
    gap.pixel_data_offset = static_cast<std::int32_t>(14 + size + 17 * 4);
    EXPECT_EQ(Read(EncodeBmp(gap)), kMapUnknownPalette) << size;
  }
  EXPECT_EQ(std::string(MapReadMessages[kMapUnknownPalette]), "Unknown palette type");
}

// The colour table follows the info header, whatever its size.
TEST_F(MapHeaderTest, InfoHeadersOfEveryWindowsSize) {
  for (const std::uint32_t size : {40u, 52u, 56u, 108u, 124u}) {
    ASSERT_EQ(Read(EncodeBmp(Map(8, 16))), kMapUsable);
    BmpDescription bmp = Map(4, 16);
    bmp.palette = Greys(16, 100);
    bmp.info_header_size = size;
    EXPECT_EQ(Read(EncodeBmp(bmp)), kMapUsable) << size;
    EXPECT_EQ(header_.info_header_size, size);
    EXPECT_EQ(header_.width, 3);
    EXPECT_EQ(palette_.entries[0].red, 100) << size;
    EXPECT_EQ(palette_.entries[15].blue, 115) << size;
    EXPECT_EQ(palette_.defined_entries, 16);
  }
}

// The OS/2 core header: 16-bit width and height, no colour counts, 3-byte table entries.
TEST_F(MapHeaderTest, CoreHeaderWithThreeByteEntries) {
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  BmpDescription core = Map(4, 16);
  core.width = 40000;  // beyond a signed 16-bit field
  core.height = 1;
  core.pixels.assign(40000, 1);
  core.palette = Greys(16, 100);
  core.info_header_size = 12;
  const std::string bytes = EncodeBmp(core);
  EXPECT_EQ(Read(bytes), kMapUsable);
  EXPECT_EQ(header_.pixel_data_offset, 26 + 16 * 3);
  EXPECT_EQ(header_.width, 40000);
  EXPECT_EQ(header_.height, 1);
  EXPECT_EQ(header_.bits_per_pixel, 4);
  EXPECT_EQ(header_.colours_used, 16);
  EXPECT_EQ(palette_.entries[1].red, 101);
  EXPECT_EQ(palette_.entries[15].green, 115);
  EXPECT_EQ(palette_.entries[15].reserved, 0);
  EXPECT_EQ(MapPixelDataEnd(header_), bytes.size());

  EXPECT_EQ(test::MessageOf([&] { Read(bytes.substr(0, 25)); }), "Read beyond end of file.");
  EXPECT_EQ(Read(bytes.substr(0, 26)), kMapNotBmp);
}

TEST_F(MapHeaderTest, UnknownHeaderSizesAndOverlapsAreRefused) {
  ASSERT_EQ(Read(EncodeBmp(Map(4, 16))), kMapUsable);
  struct Case {
    std::uint32_t info_header_size;
    std::int32_t pixel_data_offset;
    MapReadResult result;
  } cases[] = {
      {64, 142, kMapUnknownHeader},  // the OS/2 2.x header
      {0, 118, kMapUnknownHeader},        {124, 137, kMapHeaderOverlapsPixels},
      {40, 53, kMapHeaderOverlapsPixels}, {12, 25, kMapHeaderOverlapsPixels},
  };
  for (const Case& c : cases) {
    BmpDescription bmp = Map(4, 16);
    bmp.palette = Greys(16, 100);
    bmp.info_header_size = c.info_header_size;
    bmp.pixel_data_offset = c.pixel_data_offset;
    EXPECT_EQ(Read(EncodeBmp(bmp)), c.result) << c.info_header_size;
    EXPECT_EQ(palette_.entries[1].red, 1);
  }
  EXPECT_EQ(std::string(MapReadMessages[kMapUnknownHeader]), "Unknown BMP header size");
  EXPECT_EQ(std::string(MapReadMessages[kMapHeaderOverlapsPixels]),
            "BMP header overlaps the pixel data");
}

TEST_F(MapHeaderTest, PixelRowsArePaddedToWholeWords) {
  BmpDescription odd = Map(4, 2);
  odd.width = 9;
  odd.pixels.assign(18, 1);
  odd.top_down = true;
  const std::string bytes = EncodeBmp(odd);
  ASSERT_EQ(Read(bytes), kMapUsable);
  EXPECT_EQ(MapPixelDataEnd(header_), 62u + 2 * 8);
  EXPECT_EQ(MapPixelDataEnd(header_), bytes.size());
}

TEST_F(MapHeaderTest, WriteProtectedMapReadsNormally) {
  const std::string path = dir_.File("locked.bmp");
  tools::WriteFileBytes(path, EncodeBmp(Map(4, 16)));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  BinaryReader file(path);
  EXPECT_EQ(ReadMapHeader(file, header_, palette_), kMapUsable);
}

TEST_F(MapHeaderTest, MissingFile) {
  EXPECT_EQ(test::MessageOf([&] { BinaryReader file(dir_.File("none.bmp")); }), "File not found.");
}

}  // namespace
}  // namespace orvandel
