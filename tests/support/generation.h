#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_map.h"
#include "orvandel/commands/generate_command.h"

namespace orvandel::test {

// A map in memory and the panel's texts, run through the generate command as if the
// user had chosen output_file in the save dialog.
struct Generation {
  // A map of palette indexes, top row first, with the colours of TestPalette().
  Generation(int width, int height, std::vector<std::uint8_t> indexes);

  // Runs the command; returns the message that ended it, or "" when it succeeded.
  std::string Run(const std::string& output_file);
  // Reads the settings as the command does and writes the mesh of the format that
  // output_name's extension selects into memory, on threads threads; returns its bytes.
  // Throws Failure.
  std::string Written(const std::string& output_name);

  std::unique_ptr<FakeMap> map;
  MapSession session;
  PanelTexts panel;
  MeshOptions options;
  ThreadCount threads = 1;
  GeneratorState state;
  int dialogs_shown = 0;
  FileDialogSettings last_dialog;
};

// Sixteen distinct colours.
std::vector<PackedColour> TestPalette();

// The two-by-two example: a 5 x 5 map of cells of 2 pixels whose vertices lie at
// (-0.5, 0.5), (0.5, 0.5), (-0.5, -0.5) and (0.5, -0.5) with cell heights 0.1, 0.2, 0.3
// and 0.4, water at 0.05, lawn at 0.25, snow at 0.35.
Generation TwoByTwoExample();

// An 8 x 6 map of cells of 1 pixel: colour (c + r) mod 8 in column c and row r, colour k
// at the height 100 k; water 250, lawn 350, snow 550, so that there are faces of every
// class; Mapwidth 800, Mapheight 600. At true scale column c lies at x = 800 c / 7 and row
// r at y = 600 - 120 r. The true-scale formats write it as the full grid, every grid
// triangle, so that its faces can be stated one by one.
Generation TrueScaleHill();

// A map of columns x rows cells of cell_size pixels whose palette indexes 3 and 7 have no
// height: whole rows of cells without a set colour (so bands of rows start with them, and
// RAW's corners take heights across several rows), columns of them, and scattered cells;
// the first rows have none with a set colour. Index k has the height heights[k % size];
// the levels give faces of every class.
Generation Gaps(int columns, int rows, int cell_size, std::vector<std::string> heights);

// The faces of each material that the 3DF mesh of g's height classes gives: "water",
// "lawn", "rock" and "snow".
std::map<std::string, unsigned> FacesByClass(Generation& g);

// 90 k for palette index k.
std::vector<std::string> Levels();

}  // namespace orvandel::test
