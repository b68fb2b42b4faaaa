#include <gtest/gtest.h>

#include "failure_message.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/read_generator_settings.h"

namespace orvandel {
namespace {

PanelTexts Panel(const char* width, const char* height, const char* interval) {
  PanelTexts panel;
  panel.settings = {"0     ", "100   ", "500   ", width, height, interval};
  return panel;
}

std::string RefusalOf(const PanelTexts& panel, int image_width, int image_height) {
  GeneratorState state;
  return test::MessageOf([&] { ReadGeneratorSettings(panel, image_width, image_height, state); });
}

TEST(ReadGeneratorSettingsTest, WorkedExample) {
  GeneratorState state;
  ReadGeneratorSettings(Panel("1000", "500", "25"), 400, 200, state);
  const GridLayout& grid = state.grid_layout;
  EXPECT_EQ(state.generator_settings.Scale, 1000.0f);
  EXPECT_EQ(grid.CellSize, 10);
  EXPECT_EQ(grid.Columns, 40);
  EXPECT_EQ(grid.Rows, 20);
  EXPECT_EQ(grid.VertexCount, 800);
  // The world is 2.0 by 1.0, centred on the origin.
  EXPECT_EQ(state.view_mapping.PixelToWorld(0, 0).x, -1.0f);
  EXPECT_EQ(state.view_mapping.PixelToWorld(0, 0).y, 0.5f);
  EXPECT_EQ(state.view_mapping.PixelToWorld(399, 199).x, 1.0f);
}

TEST(ReadGeneratorSettingsTest, SquareWorldSpansMinusOneToOne) {
  GeneratorState state;
  ReadGeneratorSettings(Panel("300", "300", "10"), 50, 80, state);
  EXPECT_EQ(state.view_mapping.PixelToWorld(0, 0).x, -1.0f);
  EXPECT_EQ(state.view_mapping.PixelToWorld(49, 79).y, -1.0f);
}

TEST(ReadGeneratorSettingsTest, CellSizeRoundsHalvesToEven) {
  GeneratorState state;
  ReadGeneratorSettings(Panel("200", "200", "5"), 100, 100, state);  // 2.5 pixels
  EXPECT_EQ(state.grid_layout.CellSize, 2);
  EXPECT_EQ(state.grid_layout.Columns, 50);
  EXPECT_EQ(state.grid_layout.Rows, 50);
  ReadGeneratorSettings(Panel("200", "200", "7"), 100, 100, state);  // 3.5 pixels
  EXPECT_EQ(state.grid_layout.CellSize, 4);
}

TEST(ReadGeneratorSettingsTest, IntervalMustBeLessThanTheSmallerSide) {
  EXPECT_EQ(RefusalOf(Panel("1000", "500", "500"), 400, 200), "Invalid interval!");
  EXPECT_EQ(RefusalOf(Panel("1000", "500", "499"), 400, 200), "");
}

TEST(ReadGeneratorSettingsTest, CellOfLessThanOnePixel) {
  EXPECT_EQ(RefusalOf(Panel("1000", "500", "0"), 400, 200),
            "Division by zero - Interval too small!");
  EXPECT_EQ(RefusalOf(Panel("1000", "500", "1"), 400, 200),
            "Division by zero - Interval too small!");
  EXPECT_EQ(RefusalOf(Panel("1000", "500", "-5"), 400, 200),
            "Division by zero - Interval too small!");
}

TEST(ReadGeneratorSettingsTest, GridWithoutCellsIsRefused) {
  // The cell follows the image's longer side; this image is far flatter than its world.
  EXPECT_EQ(RefusalOf(Panel("1000", "1000", "900"), 400, 10),
            "Interval too large - the grid has no cells!");
}

TEST(ReadGeneratorSettingsTest, HeightFields) {
  PanelTexts panel = Panel("1000", "500", "25");
  panel.heights[0] = " 100  ";
  panel.heights[1] = "      ";
  panel.heights[2] = "-20";
  GeneratorState state;
  state.height_table[1].Height = 77;
  ReadGeneratorSettings(panel, 400, 200, state);
  EXPECT_EQ(state.height_table[0].IsSet, 1);
  EXPECT_EQ(state.height_table[0].Height, 100.0f);
  EXPECT_EQ(state.height_table[1].IsSet, 0);
  EXPECT_EQ(state.height_table[1].Height, 77.0f);
  EXPECT_EQ(state.height_table[2].Height, -20.0f);
  EXPECT_EQ(state.height_table[3].IsSet, 0);
}

TEST(ReadGeneratorSettingsTest, FieldsAreConvertedInOrder) {
  PanelTexts panel = Panel("10 00", "500", "x");
  EXPECT_EQ(RefusalOf(panel, 400, 200), "'10 00' is not a valid floating point value.");
  panel = Panel("1000", "500", "25");
  panel.heights[4] = "-";
  EXPECT_EQ(RefusalOf(panel, 400, 200), "'-' is not a valid floating point value.");
  // The interval check comes before the heights are read.
  panel.settings[kInterval] = "600";
  EXPECT_EQ(RefusalOf(panel, 400, 200), "Invalid interval!");
}

}  // namespace
}  // namespace orvandel
