#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "orvandel/generator/write_preparation.h"
#include "orvandel/meshing/simplify_terrain.h"
#include "orvandel/meshing/vertical_error.h"
#include "surface_checks.h"

namespace orvandel {
namespace {

// A grid's heights and classes, kept together with the view the simplifier reads.
struct TestGrid {
  TestGrid(std::int32_t columns, std::int32_t rows, const std::function<float(int, int)>& height)
      : columns(columns), rows(rows) {
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c)
        z.push_back(height(c, r));
    }
    // Classed as the writers class faces: by the mean of the corners, water 100, lawn 420,
    // snow 850.
    const auto at = [&](int c, int r) { return z[static_cast<std::size_t>(r * columns + c)]; };
    const auto class_of = [](float a, float b, float c) {
      return static_cast<std::uint8_t>(HeightClass(MeanHeight(a, b, c), 100, 420, 850) % 251);
    };
    for (int r = 0; r + 1 < rows; ++r) {
      for (int c = 0; c + 1 < columns; ++c) {
        classes.push_back(class_of(at(c, r), at(c + 1, r), at(c + 1, r + 1)));
        classes.push_back(class_of(at(c, r), at(c + 1, r + 1), at(c, r + 1)));
      }
    }
  }
  HeightGrid Grid() const { return {columns, rows, z, classes}; }

  std::int32_t columns;
  std::int32_t rows;
  std::vector<float> z;
  std::vector<std::uint8_t> classes;
};

// Terraces of bands 100 apart, with single cells of another band as islands.
std::function<float(int, int)> Terraces(unsigned seed, double islands) {
  auto random = std::make_shared<std::mt19937>(seed);
  return [=](int c, int r) {
    const int band = static_cast<int>(4 + 2 * std::sin(c / 5.0) + 2 * std::cos(r / 7.0 + c / 9.0));
    std::bernoulli_distribution island(islands);
    return 100.0f * static_cast<float>(island(*random) ? (band + 5) % 11 : band);
  };
}

// Terraces seen through cells of 2 x 2 of them: heights between the bands at their edges.
std::function<float(int, int)> CellMeans(unsigned seed) {
  auto terraces = Terraces(seed, 0.02);
  return [=](int c, int r) {
    return (terraces(2 * c, 2 * r) + terraces(2 * c + 1, 2 * r) + terraces(2 * c, 2 * r + 1) +
            terraces(2 * c + 1, 2 * r + 1)) /
           4;
  };
}

std::function<float(int, int)> Noise(unsigned seed) {
  auto random = std::make_shared<std::mt19937>(seed);
  return [=](int, int) { return std::uniform_real_distribution<float>(0, 1000)(*random); };
}

struct Case {
  std::string name;
  std::int32_t columns;
  std::int32_t rows;
  std::function<float(int, int)> height;
};

std::vector<Case> Cases() {
  return {
      {"2 x 2", 2, 2, Noise(1)},
      {"one colour", 40, 31, [](int, int) { return 300.0f; }},
      {"islands", 33, 27, Terraces(2, 0.05)},
      {"strip across", 41, 2, Terraces(3, 0.1)},
      {"strip down", 2, 37, Terraces(4, 0.1)},
      {"cell means", 45, 38, CellMeans(5)},
      {"noise", 23, 19, Noise(6)},
      {"tiles", 270, 262, CellMeans(7)},
      {"wide terraces over tiles", 530, 600,
       [](int c, int r) {
         return 100.0f * std::floor(4 + 2 * std::sin(c / 60.0) + 2 * std::cos(r / 70.0 + c / 90.0));
       }},
  };
}

using test::Corners;
using test::Cross;
using test::InsidesMeet;

// The columns of squares in row r that the triangle may meet: its extent within the row's
// strip, a square wider on each side.
std::pair<std::int64_t, std::int64_t> ColumnsNear(const Corners& t, std::int64_t r) {
  double low = 1e18;
  double high = -1e18;
  const auto take = [&](double x) { low = std::min(low, x), high = std::max(high, x); };
  for (std::size_t e = 0; e < 3; ++e) {
    const auto& a = t[e];
    const auto& b = t[(e + 1) % 3];
    if (a[1] >= r && a[1] <= r + 1) take(static_cast<double>(a[0]));
    for (const std::int64_t y : {r, r + 1}) {
      if ((a[1] - y) * (b[1] - y) < 0)
        take(static_cast<double>(a[0]) +
             static_cast<double>((y - a[1]) * (b[0] - a[0])) / static_cast<double>(b[1] - a[1]));
    }
  }
  return {static_cast<std::int64_t>(std::floor(low)) - 1,
          static_cast<std::int64_t>(std::ceil(high))};
}

// The mesh covers the rectangle edge to edge, turns counter-clockwise seen from above (rows
// run south), keeps within its class and gives its border in order.
void ExpectSound(const TestGrid& grid, const SimplifiedTerrain& mesh, const std::string& what) {
  std::map<std::pair<std::int32_t, std::int32_t>, int> edges;
  std::int64_t area = 0;
  for (std::size_t k = 0; k < mesh.triangles.size(); ++k) {
    const Triangle& t = mesh.triangles[k];
    Corners at;
    for (std::size_t i = 0; i < 3; ++i) {
      const std::int32_t n = mesh.vertices[static_cast<std::size_t>(std::array{t.a, t.b, t.c}[i])];
      at[i] = {n % grid.columns, n / grid.columns};
    }
    area -= Cross(at[0], at[1], at[2]);
    ASSERT_LT(Cross(at[0], at[1], at[2]), 0) << what << " triangle " << k;
    for (const auto& [a, b] : {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}})
      ++edges[{a, b}];
    const Corners grid_order{at[0], at[2], at[1]};
    const auto [low_r, high_r] = std::minmax({at[0][1], at[1][1], at[2][1]});
    for (std::int64_t r = low_r; r < high_r; ++r) {
      const auto [first, last] = ColumnsNear(at, r);
      for (std::int64_t c = std::max<std::int64_t>(first, 0);
           c <= std::min<std::int64_t>(last, grid.columns - 2); ++c) {
        const Corners squares[2] = {{{{c, r}, {c + 1, r}, {c + 1, r + 1}}},
                                    {{{c, r}, {c + 1, r + 1}, {c, r + 1}}}};
        for (std::size_t half = 0; half < 2; ++half) {
          if (!InsidesMeet(grid_order, squares[half])) continue;
          ASSERT_EQ(grid.classes[static_cast<std::size_t>(2 * (r * (grid.columns - 1) + c)) + half],
                    mesh.classes[k])
              << what << " triangle " << k << " covers another class at " << c << "," << r;
        }
      }
    }
  }
  EXPECT_EQ(area, 2 * std::int64_t{grid.columns - 1} * (grid.rows - 1)) << what;
  std::vector<std::pair<std::int32_t, std::int32_t>> border;
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(count, 1) << what;
    if (edges.count({edge.second, edge.first}) == 0) border.push_back(edge);
  }
  ASSERT_EQ(border.size(), mesh.boundary.size()) << what;
  ASSERT_FALSE(mesh.boundary.empty());
  EXPECT_EQ(mesh.vertices[static_cast<std::size_t>(mesh.boundary[0])], 0) << what;
  for (std::size_t i = 0; i < mesh.boundary.size(); ++i) {
    const auto edge = std::pair{mesh.boundary[i], mesh.boundary[(i + 1) % mesh.boundary.size()]};
    EXPECT_TRUE(std::find(border.begin(), border.end(), edge) != border.end()) << what;
  }
}

TEST(SimplifyTerrainTest, StaysWithinTheBoundAndSound) {
  for (const Case& c : Cases()) {
    const TestGrid grid(c.columns, c.rows, c.height);
    for (const double bound : {0.0, 0.5, 3.0, 40.0}) {
      const std::string what = c.name + ", bound " + std::to_string(bound);
      const SimplifiedTerrain mesh = SimplifyTerrain(grid.Grid(), bound, 2);
      EXPECT_LE(MaxVerticalError(grid.Grid(), mesh), std::max(bound, HeightTolerance(grid.Grid())))
          << what;
      ExpectSound(grid, mesh, what);
    }
  }
}

TEST(SimplifyTerrainTest, LevelGroundBecomesTwoTriangles) {
  const TestGrid grid(40, 31, [](int, int) { return 300.0f; });
  EXPECT_EQ(SimplifyTerrain(grid.Grid(), 0, 1).triangles.size(), 2u);
}

TEST(SimplifyTerrainTest, TheThreadsChangeNothing) {
  const TestGrid grid(270, 262, CellMeans(8));
  const SimplifiedTerrain one = SimplifyTerrain(grid.Grid(), 3, 1);
  const SimplifiedTerrain three = SimplifyTerrain(grid.Grid(), 3, 3);
  EXPECT_EQ(one.vertices, three.vertices);
  EXPECT_EQ(one.classes, three.classes);
  EXPECT_EQ(one.boundary, three.boundary);
}

TEST(SimplifyTerrainTest, AGridWithoutSquaresHasNoTriangles) {
  for (const auto& [columns, rows] : {std::pair{1, 9}, std::pair{9, 1}, std::pair{0, 0}}) {
    const TestGrid grid(columns, rows, Noise(9));
    EXPECT_TRUE(SimplifyTerrain(grid.Grid(), 0, 1).triangles.empty());
  }
}

}  // namespace
}  // namespace orvandel
