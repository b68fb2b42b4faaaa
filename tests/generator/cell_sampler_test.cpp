#include <gtest/gtest.h>

#include "failure_message.h"
#include "fake_map.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/cell_sampler.h"
#include "sampling.h"

namespace orvandel {
namespace {

using test::FakeMap;
using test::Sampling;

constexpr PackedColour kBlack = 0;

// Sixteen distinct colours, entry k being PackRGB(k, 10 * k, 255).
std::vector<PackedColour> Palette() {
  std::vector<PackedColour> table;
  for (int k = 0; k < 16; ++k)
    table.push_back(PackRGB(k, 10 * k, 255));
  return table;
}

SwatchColours SwatchesOf(const std::vector<PackedColour>& table) {
  SwatchColours swatches;
  for (std::size_t k = 0; k < table.size(); ++k)
    swatches.colour[k] = table[k];
  swatches.matching_entries = static_cast<int>(table.size());
  return swatches;
}

TEST(CellSamplerTest, CellHeightIsThePixelWeightedMeanOfTheSetColours) {
  std::vector<std::uint8_t> pixels(64, 7);  // colour 7 has no height
  std::fill_n(pixels.begin(), 30, 3);
  std::fill_n(pixels.begin() + 30, 10, 5);
  const FakeMap map(8, 8, Palette(), pixels);
  Sampling s(1, 1, 8);
  s.SetHeight(3, 100);
  s.SetHeight(5, 200);
  EXPECT_EQ(s.CellHeights(map, SwatchesOf(Palette())), std::vector<float>{0.125f});
}

TEST(CellSamplerTest, CellWithoutSetColourTakesThePreviousCellsHeight) {
  // Cells: colour 9 (no height), colour 1, colour 9, colour 9; the grid is 2 x 2.
  const FakeMap map(2, 2, Palette(), {9, 1, 9, 9});
  Sampling s(2, 2, 1);
  s.SetHeight(1, 300);
  s.SetHeight(2, 100);  // set but absent from the map: only the start value counts it
  const std::vector<float> heights = s.CellHeights(map, SwatchesOf(Palette()));
  EXPECT_EQ(heights, (std::vector<float>{0.2f, 0.3f, 0.3f, 0.3f}));
}

TEST(CellSamplerTest, NoCellLiesBelowTheWaterLevel) {
  const FakeMap map(3, 1, Palette(), {4, 9, 6});
  Sampling s(3, 1, 1);
  s.settings.Water = 150;
  s.SetHeight(4, 100);
  s.SetHeight(6, 20);
  EXPECT_EQ(s.CellHeights(map, SwatchesOf(Palette())), (std::vector<float>{0.15f, 0.15f, 0.15f}));
}

TEST(CellSamplerTest, FallbackStartsRaisedToTheWaterLevel) {
  const FakeMap map(1, 1, Palette(), {9});
  Sampling s(1, 1, 1);
  s.settings.Water = 500;
  s.SetHeight(1, 100);
  EXPECT_EQ(s.CellHeights(map, SwatchesOf(Palette())), std::vector<float>{0.5f});
}

TEST(CellSamplerTest, RepeatedSwatchColourCountsForTheHighestIndex) {
  std::vector<PackedColour> table = Palette();
  table[6] = table[2];
  const FakeMap map(2, 1, table, {2, 6});
  Sampling s(2, 1, 1);
  s.SetHeight(2, 100);
  s.SetHeight(6, 400);
  EXPECT_EQ(s.CellHeights(map, SwatchesOf(table)), (std::vector<float>{0.4f, 0.4f}));
}

TEST(CellSamplerTest, OnlyTheMapsOwnEntriesTakePartInMatching) {
  // A two-colour map after start-up: swatches 2 to 15 are black like the map's entry 0.
  SwatchColours swatches;
  swatches.colour.fill(kBlack);
  swatches.colour[1] = kWhite;
  swatches.matching_entries = 2;
  const FakeMap map(2, 1, {kBlack, kWhite}, {0, 1});
  Sampling s(2, 1, 1);
  s.SetHeight(0, 100);
  s.SetHeight(1, 300);
  EXPECT_EQ(s.CellHeights(map, swatches), (std::vector<float>{0.1f, 0.3f}));
}

TEST(CellSamplerTest, ColourImagesSampleLikeIndexedOnes) {
  std::vector<std::uint8_t> indexes;
  std::vector<PackedColour> colours;
  const std::vector<PackedColour> table = Palette();
  for (int i = 0; i < 6 * 4; ++i) {
    indexes.push_back(static_cast<std::uint8_t>((i * 7 + i / 5) % 16));
    colours.push_back(table[indexes.back()]);
  }
  colours[3] = PackRGB(1, 2, 3);  // a colour of no swatch counts for nothing
  indexes[3] = 200;               // an index beyond the table shows as black
  Sampling s(3, 2, 2);
  for (int k = 0; k < 16; k += 3)
    s.SetHeight(k, static_cast<float>(50 * k));
  EXPECT_EQ(s.CellHeights(FakeMap(6, 4, table, indexes), SwatchesOf(table)),
            s.CellHeights(FakeMap(6, 4, colours), SwatchesOf(table)));
}

// Counting as stored (a cell of one index at once, a mixed cell a word at a time) gives
// the heights of matching colour by colour, at every cell size, also when a height is not
// finite: then every cell with a set colour is infinite or not a number.
TEST(CellSamplerTest, IndexesSampleLikeColoursAtEveryCellSize) {
  const std::vector<PackedColour> table = Palette();
  std::vector<std::uint8_t> indexes;
  std::vector<PackedColour> colours;
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < 45; ++x) {
      const bool strewn = y > 20 && (x * 5 + y * 3) % 7 == 0;
      indexes.push_back(static_cast<std::uint8_t>((strewn ? x + y : x / 19 + y / 11) % 16));
      colours.push_back(table[indexes.back()]);
    }
  }
  HeightTable unbounded = test::MostlySetHeights();
  unbounded[5].Height = std::numeric_limits<float>::infinity();
  for (const HeightTable& heights : {test::MostlySetHeights(), unbounded}) {
    for (int cell_size = 1; cell_size <= 13; ++cell_size) {
      EXPECT_EQ(
          test::SampleAllCells(FakeMap(45, 37, table, indexes), SwatchesOf(table), cell_size,
                               heights),
          test::SampleAllCells(FakeMap(45, 37, colours), SwatchesOf(table), cell_size, heights))
          << cell_size;
    }
  }
}

// Rows are counted in bands, one per thread; a band's first cells without a set colour take
// the last height of the band before, however many rows of such cells lie between.
TEST(CellSamplerTest, AnyCountOfThreadsGivesTheHeightsOfSamplingInVertexOrder) {
  // 3 x 7 cells of 1 pixel, colour 9 unset: rows 0, 2, 3 and 5 without any set colour.
  const FakeMap map(3, 7, Palette(), {9, 9, 9,  //
                                      9, 1, 9,  //
                                      9, 9, 9,  //
                                      9, 9, 9,  //
                                      2, 9, 9,  //
                                      9, 9, 9,  //
                                      9, 9, 4});
  Sampling s(3, 7, 1);
  s.SetHeight(1, 300);
  s.SetHeight(2, 100);
  s.SetHeight(4, 500);
  const float f = PrepareWrite(s.heights, s.settings).fallback;  // the first cells' height
  const std::vector<float> in_vertex_order = {f,    f,    f,    f,    0.3f, 0.3f, 0.3f,
                                              0.3f, 0.3f, 0.3f, 0.3f, 0.3f, 0.1f, 0.1f,
                                              0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.5f};
  for (ThreadCount threads = 1; threads <= 9; ++threads) {
    EXPECT_EQ(s.CellHeights(map, SwatchesOf(Palette()), threads), in_vertex_order) << threads;
  }
  // Without any set colour in the map, every cell takes the first fallback, on any threads.
  const FakeMap blank(3, 7, Palette(), std::vector<std::uint8_t>(21, 9));
  s.settings.Water = 250;
  for (const ThreadCount threads : {1u, 4u}) {
    EXPECT_EQ(s.CellHeights(blank, SwatchesOf(Palette()), threads), std::vector<float>(21, f));
  }
}

TEST(CellSamplerTest, OwnHeightsAreRaisedToTheWaterAndMarkCellsWithoutSetColour) {
  const FakeMap map(2, 2, Palette(), {9, 1, 2, 9});
  Sampling s(2, 2, 1);
  s.settings.Water = 150;
  s.SetHeight(1, 300);
  s.SetHeight(2, 100);
  const WritePreparation prep = PrepareWrite(s.heights, s.settings);
  const SwatchColours swatches = SwatchesOf(Palette());
  const CellSampler sampler(map, swatches, s.grid, s.mapping, prep);
  for (const ThreadCount threads : {1u, 2u}) {
    const OwnHeights own = sampler.CountOwnHeights(threads);
    EXPECT_EQ(own.coloured, (std::vector<std::uint8_t>{0, 1, 1, 0}));
    EXPECT_EQ(own.height[1], 0.3f);
    EXPECT_EQ(own.height[2], 0.15f);
  }
  EXPECT_EQ(sampler.FirstFallback(), 0.2f);
}

TEST(CellSamplerTest, VertexLiesAtTheCentrePixelOfItsCell) {
  const FakeMap map(5, 5, Palette(), std::vector<std::uint8_t>(25, 1));
  Sampling s(2, 2, 2);
  s.mapping.SetViewport(0, 0, 4, 4);  // a 5 x 5 map: one pixel belongs to no cell
  s.SetHeight(1, 100);
  const WritePreparation prep = PrepareWrite(s.heights, s.settings);
  const SwatchColours swatches = SwatchesOf(Palette());
  const CellSampler sampler(map, swatches, s.grid, s.mapping, prep);
  EXPECT_EQ(sampler.ColumnX(1), 0.5f);
  EXPECT_EQ(sampler.RowY(0), 0.5f);
}

TEST(WritePreparationTest, RefusesAWriteWithoutHeights) {
  GeneratorSettings settings;
  settings.Scale = 1;
  EXPECT_EQ(test::MessageOf([&] { PrepareWrite(HeightTable{}, settings); }),
            "Must set at least one height!");
}

TEST(HeightClassTest, LevelsAreTestedInOrder) {
  EXPECT_EQ(HeightClass(0.05f, 0.05f, 0.25f, 0.35f), 216);
  EXPECT_EQ(HeightClass(0.25f, 0.05f, 0.25f, 0.35f), 120);
  EXPECT_EQ(HeightClass(0.3f, 0.05f, 0.25f, 0.35f), 24);
  EXPECT_EQ(HeightClass(0.35f, 0.05f, 0.25f, 0.35f), 32767);
  // Snow below lawn: nothing is orange-brown.
  EXPECT_EQ(HeightClass(0.007f, 0, 0.01f, 0.005f), 120);
  EXPECT_EQ(HeightClass(0.02f, 0, 0.01f, 0.005f), 32767);
  // Lawn below water: nothing is green.
  EXPECT_EQ(HeightClass(0.3f, 0.2f, 0.1f, 0.5f), 24);
}

TEST(HeightClassTest, MeanIsFormedAtFullPrecision) {
  EXPECT_EQ(MeanHeight(0.1f, 0.1f, 0.1f), 0.1f);
  EXPECT_EQ(HeightClass(MeanHeight(0.1f, 0.1f, 0.1f), 0, 0.1f, 0.5f), 120);
}

}  // namespace
}  // namespace orvandel
