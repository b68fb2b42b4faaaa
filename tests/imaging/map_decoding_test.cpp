#include <gtest/gtest.h>

#include <QImageReader>

#include "bmp_builder.h"
#include "orvandel/mapinput/packed_map.h"
#include "qimage_map.h"
#include "sampling.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using tools::BmpDescription;

constexpr PackedColour kBlack = 0;

// A map 83 x 67 (odd sizes, padded rows) of wide areas whose borders run straight and
// slanted, with pixels of other indexes strewn over its upper part: cells of one index, of
// two, and of many. Indexes run from 0 to highest_index, which may lie beyond the colour
// table. Entry 2 is black, like an index beyond the table; the last entry repeats entry 1.
BmpDescription Map(int bits, int colours, int highest_index) {
  BmpDescription bmp;
  bmp.width = 83;
  bmp.height = 67;
  bmp.bits_per_pixel = bits;
  for (int k = 0; k < colours; ++k)
    bmp.palette.push_back(PackRGB(40 * k + 3, 255 - 20 * k, 7 * k));
  if (colours > 3) {
    bmp.palette[2] = kBlack;
    bmp.palette.back() = bmp.palette[1];
  }
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      const bool strewn = y < 30 && (x * 7 + y * 13) % 11 == 0;
      const int index = strewn ? x * y : x / 37 + y / 29 + (x + 2 * y) / 53;
      bmp.pixels.push_back(static_cast<std::uint32_t>(index % (highest_index + 1)));
    }
  }
  return bmp;
}

struct Case {
  std::string name;
  BmpDescription bmp;
};

std::vector<Case> MapsOfEveryLayout() {
  std::vector<Case> cases = {
      {"1-bit", Map(1, 2, 1)},
      {"4-bit", Map(4, 16, 15)},
      {"4-bit, short table", Map(4, 5, 15)},
      {"8-bit, indexes beyond the table", Map(8, 16, 20)},
      {"4-bit, V5 header", Map(4, 16, 15)},
      {"1-bit, core header", Map(1, 2, 1)},
      {"4-bit, core header", Map(4, 16, 15)},
      {"8-bit, 52-byte header", Map(8, 16, 15)},
      {"4-bit, 56-byte header", Map(4, 16, 15)},
      {"1-bit, V4 header", Map(1, 2, 1)},
  };
  cases[4].bmp.info_header_size = 124;
  cases[5].bmp.info_header_size = 12;
  cases[6].bmp.info_header_size = 12;
  cases[7].bmp.info_header_size = 52;
  cases[8].bmp.info_header_size = 56;
  cases[9].bmp.info_header_size = 108;
  for (std::size_t i = 0; i < 4; ++i) {
    cases.push_back({cases[i].name + ", top-down", cases[i].bmp});
    cases.back().bmp.top_down = true;
  }
  return cases;
}

// Qt's decoding of a map; of one with a 52- or 56-byte header, which Qt's decoder does
// not read, that of its twin with the 40-byte header.
QImage DecodedByQt(BmpDescription bmp, const std::string& path) {
  if (bmp.info_header_size == 52 || bmp.info_header_size == 56) bmp.info_header_size = 40;
  tools::WriteFileBytes(path, tools::EncodeBmp(bmp));
  return QImageReader(QString::fromStdString(path)).read();
}

// The map read as stored, as the map window shows it, and through Qt's own decoder as
// indexes and as colours, samples alike: at every cell size, every pixel counts for the
// same palette index.
TEST(MapDecodingTest, PackedMapSamplesAsQtDecodesIt) {
  test::TempDir dir;
  for (const Case& c : MapsOfEveryLayout()) {
    SCOPED_TRACE(c.name);
    const QImage decoded = DecodedByQt(c.bmp, dir.File("qt.bmp"));
    ASSERT_FALSE(decoded.isNull());
    const std::string path = dir.File("map.bmp");
    tools::WriteFileBytes(path, tools::EncodeBmp(c.bmp));
    MapHeader header;
    MapPalette palette;
    BinaryReader file(path);  // one open file for the headers and both pixel readers
    ASSERT_EQ(ReadMapHeader(file, header, palette), kMapUsable);
    SwatchColours swatches;
    ColourSwatches(palette, swatches);
    const std::unique_ptr<PackedMap> packed = ReadPackedMap(file, header);
    const QImageMap indexes(decoded);
    const QImageMap colours(decoded.convertToFormat(QImage::Format_RGB32));
    const std::unique_ptr<QImageMap> shown = DecodeMapImage(file, header);

    const HeightTable heights = test::MostlySetHeights();
    for (const int cell_size : {1, 2, 3, 4, 5, 8, 12, 16}) {
      SCOPED_TRACE("cell size " + std::to_string(cell_size));
      const std::vector<float> expected =
          test::SampleAllCells(colours, swatches, cell_size, heights);
      EXPECT_EQ(test::SampleAllCells(*packed, swatches, cell_size, heights), expected);
      EXPECT_EQ(test::SampleAllCells(indexes, swatches, cell_size, heights), expected);
      EXPECT_EQ(test::SampleAllCells(*shown, swatches, cell_size, heights), expected);
    }
  }
}

}  // namespace
}  // namespace orvandel
