// Heights near the top of the float range: a mesh with a coordinate that is not a finite
// number is refused before anything is written, in every format.
#include <gtest/gtest.h>

#include "failure_message.h"
#include "generation.h"
#include "orvandel/writers/output_formats.h"

namespace orvandel {
namespace {

using test::Generation;
using test::MessageOf;

// A 12 x 12 map of colour 1 at height, in cells of 6 x 6 pixels. The mapped area is 2
// units wide: a cell's height is half the typed one.
Generation HighPlain(const std::string& height) {
  Generation g(12, 12, std::vector<std::uint8_t>(144, 1));
  g.panel.settings = {"0", "1", "2", "2", "2", "1"};
  g.panel.heights[1] = height;
  return g;
}

// A 4 x 4 map of the indexes, in cells of one pixel, with heights halved as above (the
// true-scale formats keep the typed heights).
Generation FourByFour(std::vector<std::uint8_t> indexes) {
  Generation g(4, 4, std::move(indexes));
  g.panel.settings = {"0", "1", "2", "2", "2", "0.5"};
  return g;
}

std::string MessageWriting(Generation& g, std::string_view extension) {
  return MessageOf([&] { g.Written("hill" + std::string(extension)); });
}

TEST(FiniteVerticesTest, ACellSumBeyondTheFloatRangeIsRefusedInEveryFormat) {
  for (const OutputFormat& format : OutputFormats()) {
    Generation overflowing = HighPlain("2e37");  // 36 x 1e37 > 3.4e38
    EXPECT_EQ(MessageWriting(overflowing, format.extension), kNotFiniteVertex) << format.name;
    Generation high = HighPlain("1.8e37");
    EXPECT_EQ(MessageWriting(high, format.extension), "") << format.name;
  }
}

// 3DF stores 2.5 x the height as a float; the text formats print 3 x it exactly.
TEST(FiniteVerticesTest, A3dfHeightThatLeavesTheFloatRangeIsRefused) {
  Generation g = FourByFour(std::vector<std::uint8_t>(16, 1));
  g.panel.heights[1] = "3e38";
  EXPECT_EQ(MessageWriting(g, ".3df"), kNotFiniteVertex);
  EXPECT_EQ(MessageWriting(g, ".asc"), "");
  EXPECT_NE(g.Written("hill.raw").find(" 450000000"), std::string::npos);
}

// The first fallback height, the mean of the set colours, overflows here; it is written
// only when the first cell has no set colour.
TEST(FiniteVerticesTest, AnOverflowingFallbackRefusesOnlyWhereACornerTakesIt) {
  for (const std::uint8_t first : {1, 9}) {
    Generation g = FourByFour({first, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1});
    for (const std::size_t k : {1, 2, 3})
      g.panel.heights[k] = "3e38";
    for (const char* extension : {".raw", ".asc", ".plg", ".stl"}) {
      EXPECT_EQ(MessageWriting(g, extension), first == 1 ? "" : kNotFiniteVertex)
          << extension << " " << int{first};
    }
  }
}

TEST(FiniteVerticesTest, AScaledHeightOrABaseBeyondTheFloatRangeIsRefused) {
  Generation scaled = HighPlain("3e37");
  scaled.options.vertical_scale = 100;
  EXPECT_EQ(MessageWriting(scaled, ".stl"), kNotFiniteVertex);
  Generation based = FourByFour(std::vector<std::uint8_t>(16, 1));
  based.panel.heights[1] = "-3e38";
  based.panel.settings[kWater] = "-3.4e38";
  based.options.base = 3e38f;
  EXPECT_EQ(MessageWriting(based, ".obj"), kNotFiniteVertex);
  based.options.base = 1e37f;  // the map units of the typed heights: -3.1e38
  EXPECT_EQ(MessageWriting(based, ".obj"), "");
}

}  // namespace
}  // namespace orvandel
