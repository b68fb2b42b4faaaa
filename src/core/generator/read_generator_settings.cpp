#include "orvandel/generator/read_generator_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orvandel/fileio/failure.h"
#include "orvandel/generator/field_fault.h"
#include "orvandel/generator/field_text.h"
#include "orvandel/generator/triangulation.h"

namespace orvandel {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The interval is the field at fault when the grid it gives cannot be made.
[[noreturn]] void RefuseInterval(const char* message) {
  throw FieldFailure<Refusal>(message, SettingField(kInterval));
}

float FieldValue(std::string_view text, PanelField field) {
  try {
    return FieldToFloat(text);
  } catch (const RuntimeFailure& failure) {
    throw FieldFailure<RuntimeFailure>(failure.what(), field);
  }
}

float SettingValue(const PanelTexts& panel, SettingsField field) {
  return FieldValue(panel.settings[field], SettingField(field));
}

void ReadSettings(const PanelTexts& panel, GeneratorSettings& s) {
  s.Water = SettingValue(panel, kWater);
  s.Lawn = SettingValue(panel, kLawn);
  s.Snow = SettingValue(panel, kSnow);
  s.Mapwidth = SettingValue(panel, kMapwidth);
  s.Mapheight = SettingValue(panel, kMapheight);
  s.Interval = SettingValue(panel, kInterval);
  if (!(std::min(s.Mapwidth, s.Mapheight) > s.Interval)) RefuseInterval("Invalid interval!");
}

void ReadHeights(const PanelTexts& panel, HeightTable& table) {
  for (std::size_t k = 0; k < table.size(); ++k) {
    if (TrimLeadingBlanks(panel.heights[k]).empty()) {
      table[k].IsSet = 0;  // the height stays what it was; nothing reads it
      continue;
    }
    table[k].IsSet = 1;
    table[k].Height = FieldValue(panel.heights[k], HeightField(k));
  }
}

// The interval along the map's longer side in pixels of the image's longer side, rounded
// with halves to the even neighbour.
std::int32_t CellSizeOf(const GeneratorSettings& s, int image_width, int image_height) {
  const long double pixels =
      static_cast<long double>(std::max(image_width, image_height)) * s.Interval / s.Scale;
  const long double rounded = std::nearbyint(pixels);
  if (!(rounded >= 1)) RefuseInterval("Division by zero - Interval too small!");
  return static_cast<std::int32_t>(std::min(rounded, static_cast<long double>(kInt32Max)));
}

void LayOutGrid(GridLayout& grid) {
  grid.Columns = grid.ImageWidth / grid.CellSize;
  grid.Rows = grid.ImageHeight / grid.CellSize;
  if (grid.Columns == 0 || grid.Rows == 0) {
    RefuseInterval("Interval too large - the grid has no cells!");
  }
  // Vertex numbers and counts are 32-bit in every format.
  const std::int64_t vertices = std::int64_t{grid.Columns} * grid.Rows;
  if (2 * vertices > kInt32Max) RefuseInterval("Interval too small - the grid has too many cells!");
  grid.VertexCount = static_cast<std::int32_t>(vertices);
  grid.TriangleCount = TriangleCountOf(grid);
}

}  // namespace

void ReadGeneratorSettings(const PanelTexts& panel, int image_width, int image_height,
                           GeneratorState& state) {
  GeneratorSettings& s = state.generator_settings;
  ReadSettings(panel, s);
  ReadHeights(panel, state.height_table);
  GridLayout& grid = state.grid_layout;
  grid.ImageWidth = image_width;
  grid.ImageHeight = image_height;
  s.Scale = std::max(s.Mapwidth, s.Mapheight);
  const float w = static_cast<float>(2.0L * s.Mapwidth / s.Scale);
  const float h = static_cast<float>(2.0L * s.Mapheight / s.Scale);
  grid.CellSize = CellSizeOf(s, image_width, image_height);
  LayOutGrid(grid);
  state.view_mapping.SetWindow(-0.5f * w, -0.5f * h, 0.5f * w, 0.5f * h);
  state.view_mapping.SetViewport(0, 0, image_width - 1, image_height - 1);
}

}  // namespace orvandel
