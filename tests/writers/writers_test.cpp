#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <sstream>

#include "generation.h"
#include "scene_file.h"
#include "temp_dir.h"
#include "writers/number_text.h"
#include "writers/output_names.h"

namespace orvandel {
namespace {

using test::Generation;
using test::ReadFileBytes;
using test::TempDir;
using test::TwoByTwoExample;

std::string WithCrLf(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

std::string Generated(Generation g, const std::string& name) {
  return g.Written(name);
}

// A grid of columns x rows cells of one pixel, every cell of colour 1, on the lawn.
Generation FlatGrid(int columns, int rows) {
  Generation g(columns, rows,
               std::vector<std::uint8_t>(static_cast<std::size_t>(columns * rows), 1));
  const std::string side = std::to_string(1000 * std::max(columns, rows));
  g.panel.settings = {"0", "500", "5000", side, side, "999.5"};
  g.panel.heights[1] = "100";
  return g;
}

// The numbers of a RAW file, line by line.
std::vector<std::vector<std::string>> RawNumbers(const std::string& raw) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(raw);
  for (std::string line; std::getline(in, line);) {
    std::istringstream numbers(line);
    lines.emplace_back(std::istream_iterator<std::string>(numbers),
                       std::istream_iterator<std::string>());
  }
  return lines;
}

TEST(AscWriterTest, TwoByTwoSample) {
  EXPECT_EQ(Generated(TwoByTwoExample(), "hill.asc"),
            WithCrLf(R"(Ambient light color: Red=0.101961 Green=0.101961 Blue=0.101961

Named object: "object1"
Tri-mesh, Vertices: 4     Faces: 2
Vertex list:
Vertex 0:  X: -0.5000     Y: 0.5000     Z: 0.3000
Vertex 1:  X: 0.5000     Y: 0.5000     Z: 0.6000
Vertex 2:  X: -0.5000     Y: -0.5000     Z: 0.9000
Vertex 3:  X: 0.5000     Y: -0.5000     Z: 1.2000
Face list:
Face 0:    A:3 B:1 C:0 AB:1 BC:1 CA:1
Material:"GREEN MATTE"
Smoothing:  1
Face 1:    A:2 B:3 C:0 AB:1 BC:1 CA:1
Material:"BROWN MATTE"
Smoothing:  1
Named object: "Light01"
Direct light
Position:  X:0.455456 Y:0 Z:0.957791
Light color: Red=1 Green=1 Blue=1

Named object: "Camera01"
Camera (50.000004mm)
Position:  X:-1.827902 Y:-0.860015 Z:1.237158

Target:  X:-0.40951 Y:-0.163843 Z:0.046774
Bank angle: 0 degrees
)"));
}

TEST(PlgWriterTest, TwoByTwoSample) {
  EXPECT_EQ(Generated(TwoByTwoExample(), "hill.plg"), WithCrLf(R"(hill 4 2
2500 1500 2500
-2500 3000 2500
2500 4500 -2500
-2500 6000 -2500
0x18e0 3 0 1 3
0x12e0 3 0 3 2
)"));
}

TEST(RawWriterTest, TwoByTwoSample) {
  EXPECT_EQ(Generated(TwoByTwoExample(), "hill.raw"),
            WithCrLf("-0.5000 0.5000 0.3000 0.5000 0.5000 0.6000 0.5000 -0.5000 1.2000\n"
                     "-0.5000 0.5000 0.3000 0.5000 -0.5000 1.2000 -0.5000 -0.5000 0.9000\n"));
}

TEST(ThreeDfWriterTest, TwoByTwoSampleIs91Bytes) {
  const std::string expected = test::SceneFileBytes({{-0.5f, 0.5f, 2.5f * 0.1f},
                                                     {0.5f, 0.5f, 2.5f * 0.2f},
                                                     {-0.5f, -0.5f, 2.5f * 0.3f},
                                                     {0.5f, -0.5f, 2.5f * 0.4f}},
                                                    {{0, 1, 3, 120}, {0, 3, 2, 24}});
  ASSERT_EQ(expected.size(), 91u);
  EXPECT_EQ(Generated(TwoByTwoExample(), "hill.3df"), expected);
}

TEST(AscWriterTest, FaceNumbersSkipTheLastColumn) {
  const std::string asc = Generated(FlatGrid(3, 3), "grid.asc");
  EXPECT_NE(asc.find("Vertices: 9     Faces: 8\r\n"), std::string::npos);
  std::string numbers;
  for (std::size_t at = asc.find("Face "); at != std::string::npos;
       at = asc.find("\nFace ", at + 1)) {
    const std::size_t start = asc.find(' ', at) + 1;
    numbers += asc.substr(start, asc.find(':', start) - start) + " ";
  }
  EXPECT_EQ(numbers, "list 0 1 2 3 6 7 8 9 ");
}

// Numbers of one to three digits, counted up as the squares go: each face's and vertex's
// number is the one its square gives, on any threads.
TEST(WritersTest, FaceAndVertexNumbersFollowTheSquares) {
  for (const ThreadCount threads : {1u, 3u}) {
    Generation asc_grid = FlatGrid(13, 11), plg_grid = FlatGrid(13, 11);
    asc_grid.threads = plg_grid.threads = threads;
    std::string asc_faces, plg_polygons, expected_asc, expected_plg;
    std::istringstream asc(asc_grid.Written("grid.asc")), plg(plg_grid.Written("grid.plg"));
    for (std::string line; std::getline(asc, line);) {
      if (line.rfind("Face ", 0) == 0 && line != "Face list:\r") asc_faces += line + "\n";
    }
    for (std::string line; std::getline(plg, line);) {
      if (line.rfind("0x", 0) == 0) plg_polygons += line.substr(line.find(" 3 ")) + "\n";
    }
    ForEachSquare(asc_grid.state.grid_layout, [&](std::int32_t n) {
      const auto [first, second] = SquareTriangles(n, 13);
      for (const auto& [number, t] : {std::pair{2 * n, first}, std::pair{2 * n + 1, second}}) {
        expected_asc += "Face " + std::to_string(number) + ":    A:" + std::to_string(t.c) +
                        " B:" + std::to_string(t.b) + " C:" + std::to_string(t.a) +
                        " AB:1 BC:1 CA:1\r\n";
        expected_plg += " 3 " + std::to_string(t.a) + " " + std::to_string(t.b) + " " +
                        std::to_string(t.c) + "\r\n";
      }
    });
    EXPECT_EQ(asc_faces, expected_asc) << threads;
    EXPECT_EQ(plg_polygons, expected_plg) << threads;
  }
}

TEST(AscWriterTest, OneRowHasNoFaces) {
  const std::string asc = Generated(FlatGrid(4, 1), "row.asc");
  EXPECT_NE(asc.find("Vertices: 4     Faces: 0\r\n"), std::string::npos);
  EXPECT_NE(asc.find("Face list:\r\nNamed object: \"Light01\""), std::string::npos);
}

TEST(PlgWriterTest, PolygonsFollowTheTriangulation) {
  const std::string plg = Generated(FlatGrid(3, 2), "grid.plg");
  EXPECT_NE(plg.find(" 3 0 1 4\r\n0x18e0 3 0 4 3\r\n0x18e0 3 1 2 5\r\n0x18e0 3 1 5 4\r\n"),
            std::string::npos);
  EXPECT_EQ(plg.substr(0, 10), "grid 6 4\r\n");
}

TEST(PlgWriterTest, OneRowHasNoPolygons) {
  const std::string plg = Generated(FlatGrid(3, 1), "row.plg");
  EXPECT_EQ(plg.substr(0, 9), "row 3 0\r\n");
  EXPECT_EQ(std::count(plg.begin(), plg.end(), '\n'), 4);
}

TEST(PlgWriterTest, ObjectName) {
  EXPECT_EQ(PlgObjectName("/data/maps.old/hill.old.plg"), "hill");
  EXPECT_EQ(PlgObjectName("terrain.plg"), "terrain");
  EXPECT_EQ(Generated(FlatGrid(1, 1), ".plg").substr(0, 11), "object 1 0\r");
}

// The header's fields are parted by blanks and its lines by line feeds: a name keeps to
// its field.
TEST(PlgWriterTest, ObjectNameIsOneField) {
  EXPECT_EQ(PlgObjectName("/data/my hill.plg"), "my_hill");
  EXPECT_EQ(PlgObjectName("a\tb\r\nc\x7f\x1b.plg"), "a_b__c__");
  EXPECT_EQ(PlgObjectName("/data/.plg"), "object");
  EXPECT_EQ(PlgObjectName("caf\xc3\xa9.plg"), "caf\xc3\xa9");
  EXPECT_EQ(Generated(FlatGrid(3, 1), "/data/x\n0 0 0\n.plg").substr(0, 13), "x_0_0_0_ 3 0\r");
}

TEST(ObjWriterTest, MaterialLibraryNameIsOneWord) {
  EXPECT_EQ(MaterialLibraryName("maps/hill.v2.obj"), "maps/hill.v2.mtl");
  EXPECT_EQ(MaterialLibraryName("my maps/my hill.obj"), "my maps/my_hill.mtl");
  EXPECT_EQ(MaterialLibraryName("maps/.obj"), "maps/object.mtl");
  const std::string obj = Generated(test::TrueScaleHill(), "maps/my\nhill.obj");
  EXPECT_NE(obj.find("\nmtllib my_hill.mtl\r\no terrain\r\n"), std::string::npos)
      << obj.substr(0, 80);
  TempDir dir;
  EXPECT_EQ(test::TrueScaleHill().Run(dir.File("my hill.obj")), "");
  EXPECT_EQ(dir.Listing(), "my hill.obj my_hill.mtl");
}

TEST(RawWriterTest, FewerThanTwoRowsOrColumnsGiveAnEmptyFile) {
  TempDir dir;
  Generation g = FlatGrid(1, 5);
  EXPECT_EQ(g.Run(dir.File("column.raw")), "");
  EXPECT_TRUE(test::FileExists(dir.File("column.raw")));
  EXPECT_EQ(ReadFileBytes(dir.File("column.raw")), "");
}

TEST(RawWriterTest, CellWithoutColourTakesTheCornerSampledJustBefore) {
  // Row 0: colour 1 (100), no colour, colour 1; row 1: colour 2 (500) throughout.
  Generation g(3, 2, {1, 0, 1, 2, 2, 2});
  g.panel.settings = {"0", "50", "5000", "1000", "1000", "1"};
  g.panel.settings[3] = g.panel.settings[4] = "3";
  g.panel.heights[1] = "1";
  g.panel.heights[2] = "2";
  const auto lines = RawNumbers(g.Written("t.raw"));
  ASSERT_EQ(lines.size(), 4u);
  // Cell 1 is P2 of the first square, sampled after cell 0 (height 1/3), and P1 of the
  // second square, sampled after cell 3, the first square's P4 (height 2/3).
  EXPECT_EQ(lines[0][3] + " " + lines[0][4] + " " + lines[0][5], "0.0000 1.0000 1.0000");
  EXPECT_EQ(lines[2][0] + " " + lines[2][1] + " " + lines[2][2], "0.0000 1.0000 2.0000");
}

std::string Fixed(double value) {
  char text[kMaxNumberText];
  return std::string(text, FormatFixed4(text, value));
}

// Square by square, the corners upper left, upper right, lower right, lower left, one
// after the other through the whole file: each corner without its own height takes the
// height of the corner sampled just before it, also across rows of squares and bands.
TEST(RawWriterTest, EveryCornerWithoutAColourTakesTheHeightSampledJustBefore) {
  Generation g = test::Gaps(23, 29, 1, test::Levels());
  g.threads = 3;
  const std::string raw = g.Written("t.raw");
  const GridLayout& grid = g.state.grid_layout;
  const WritePreparation prep = PrepareWrite(g.state.height_table, g.state.generator_settings);
  const CellSampler sampler(*g.map, g.session.swatches, grid, g.state.view_mapping, prep);
  const OwnHeights own = sampler.CountOwnHeights(1);
  float last = sampler.FirstFallback();
  const auto corner = [&](int n) {
    if (own.coloured[static_cast<std::size_t>(n)] != 0)
      last = own.height[static_cast<std::size_t>(n)];
    return Fixed(sampler.ColumnX(n % grid.Columns)) + " " + Fixed(sampler.RowY(n / grid.Columns)) +
           " " + Fixed(3.0 * last);
  };
  std::string expected;
  ForEachSquare(grid, [&](std::int32_t n) {
    const std::string p1 = corner(n), p2 = corner(n + 1), p3 = corner(n + grid.Columns + 1),
                      p4 = corner(n + grid.Columns);
    expected += p1 + " " + p2 + " " + p3 + "\r\n" + p1 + " " + p3 + " " + p4 + "\r\n";
  });
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 2 * 22 * 28);
  EXPECT_TRUE(raw == expected);
}

TEST(ThreeDfWriterTest, OneRowFile) {
  EXPECT_EQ(Generated(FlatGrid(4, 1), "row.3df").size(), 11u + 12u * 4u);
}

TEST(WritersTest, EveryLineEndsWithCrLf) {
  for (const char* name : {"a.asc", "a.plg", "a.raw"}) {
    const std::string text = Generated(TwoByTwoExample(), name);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
      EXPECT_EQ(text[at - 1], '\r') << name;
    }
  }
}

}  // namespace
}  // namespace orvandel
