#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "orvandel/geometry/view_mapping.h"

namespace orvandel {

// The height given to one palette colour, in map units; meaningful only when IsSet.
struct HeightEntry {
  float Height = 0;
  std::uint8_t IsSet = 0;
};

using HeightTable = std::array<HeightEntry, 16>;

// The settings read from the control panel, all in map units.
struct GeneratorSettings {
  float Water = 0;
  float Lawn = 0;
  float Snow = 0;
  float Mapwidth = 0;
  float Mapheight = 0;
  float Interval = 0;
  float Scale = 0;  // the larger of Mapwidth and Mapheight
};

// The sampling grid: one mesh vertex per square cell of CellSize pixels.
struct GridLayout {
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;
  std::int32_t CellSize = 0;
  std::int32_t Columns = 0;
  std::int32_t Rows = 0;
  std::int32_t VertexCount = 0;
  std::int32_t TriangleCount = 0;  // 2 x (Columns - 1) x (Rows - 1), none without squares
};

// What the generate command keeps from one run to the next. Every run fills it afresh,
// as far as it gets; only the heights of colours left unset keep older values.
struct GeneratorState {
  HeightTable height_table;
  GeneratorSettings generator_settings;
  GridLayout grid_layout;
  ViewMapping view_mapping;
  std::string OutputFileName;
};

}  // namespace orvandel
