// The simplified surface that the true-scale formats write by default, read back from the
// files by the Open Asset Import Library and measured against the full grid written alike.
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <bit>
#include <functional>
#include <map>
#include <random>

#include "generation.h"
#include "orvandel/meshing/vertical_error.h"
#include "orvandel/writers/output_formats.h"
#include "surface_checks.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::Generation;

struct ReadFace {
  std::array<aiVector3D, 3> corners;
  std::string material;
};

std::vector<ReadFace> ReadFaces(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  EXPECT_NE(scene, nullptr) << path << ": " << importer.GetErrorString();
  std::vector<ReadFace> faces;
  for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) {
    const aiMesh& mesh = *scene->mMeshes[m];
    for (const aiFace& f : std::span(mesh.mFaces, mesh.mNumFaces)) {
      const auto at = [&](unsigned k) { return mesh.mVertices[f.mIndices[k]]; };
      faces.push_back(
          {{at(0), at(1), at(2)}, scene->mMaterials[mesh.mMaterialIndex]->GetName().C_Str()});
    }
  }
  return faces;
}

// A map of columns x rows cells of cell pixels, each pixel of colour k at the height 90 k:
// diagonal bands of band pixels, with one pixel in islands (none for 0) of any colour.
std::function<Generation()> Map(int columns, int rows, int cell, int islands, int band = 5) {
  return [=] {
    std::mt19937 random(static_cast<unsigned>(columns * rows + cell));
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < rows * cell; ++y) {
      for (int x = 0; x < columns * cell; ++x) {
        const auto island = islands == 0 ? 16 : random() % static_cast<unsigned>(16 * islands);
        pixels.push_back(static_cast<std::uint8_t>(island < 16 ? island : (x + y) / band % 16));
      }
    }
    Generation g(columns * cell, rows * cell, pixels);
    const std::string side = std::to_string(100 * cell * std::max(columns, rows));
    g.panel.settings = {"250", "600", "1100", side, side, std::to_string(100 * cell)};
    for (std::size_t k = 0; k < 16; ++k)
      g.panel.heights[k] = std::to_string(90 * k);
    return g;
  };
}

// The distinct values of one axis among the corners, numbered in order: the columns or rows.
std::map<float, std::int32_t> Numbered(const std::vector<ReadFace>& faces, unsigned axis) {
  std::map<float, std::int32_t> numbers;
  for (const ReadFace& f : faces) {
    for (const aiVector3D& p : f.corners)
      numbers[p[axis]] = 0;
  }
  for (std::int32_t k = 0; auto& [value, number] : numbers)
    number = k++;
  return numbers;
}

using Bits = std::array<std::uint32_t, 3>;  // a position by its bits
Bits BitsOf(const aiVector3D& p) {
  return {std::bit_cast<std::uint32_t>(p.x), std::bit_cast<std::uint32_t>(p.y),
          std::bit_cast<std::uint32_t>(p.z)};
}

// Each simplified solid against the full grid written in the same format: every corner a
// grid vertex at the full grid's height, within the bound everywhere, no face over a grid
// triangle of another material, closed and wound alike, fewer faces.
TEST(SimplifiedWritersTest, WithinTheBoundClosedAndNoFaceSpansTwoMaterials) {
  test::TempDir dir;
  for (const auto& [name, make] :
       {std::pair{"2 x 2", Map(2, 2, 1, 1)},
        {"one colour", Map(23, 17, 2, 0, 999)},
        {"islands", Map(31, 24, 1, 20)},
        {"strip across", Map(29, 2, 1, 8)},
        {"strip down", Map(2, 27, 1, 8)},
        {"cell means", Map(15, 12, 3, 20)},
        {"unset colours", [] { return test::Gaps(17, 13, 3, test::Levels()); }}}) {
    Generation g = make();
    for (const auto& [bound, scale] :
         {std::pair{0.0, 1.0f}, {25.0, 1.0f}, {25.0, 2.5f}, {300.0, 1.0f}}) {
      for (const OutputFormat& format : OutputFormats()) {
        if (!format.true_scale) continue;
        const std::string extension(format.extension);
        const std::string what = std::string(name) + " within " + std::to_string(bound) + extension;
        g.options = {scale, 0, nullptr};
        ASSERT_EQ(g.Run(dir.File("full" + extension)), "") << what;
        g.options = {scale, 40, SimplifiedSurface(bound)};
        ASSERT_EQ(g.Run(dir.File("solid" + extension)), "") << what;
        const std::vector<ReadFace> full = ReadFaces(dir.File("full" + extension));
        const unsigned up = format.up == UpAxis::kY ? 1 : 2, north = 3 - up;  // y up: z south
        const auto columns = Numbered(full, 0), rows = Numbered(full, north);
        std::vector<float> heights(columns.size() * rows.size());
        const auto index = [&](const aiVector3D& p) {
          return static_cast<std::size_t>(rows.at(p[north])) * columns.size() +
                 static_cast<std::size_t>(columns.at(p[0]));
        };
        for (const ReadFace& f : full) {
          for (const aiVector3D& p : f.corners)
            heights[index(p)] = p[up];
        }
        const auto on_lattice = [&](const ReadFace& f, test::Corners& turned) {
          LatticeTriangle t;
          for (std::size_t k = 0; k < 3; ++k) {
            t[k] = {columns.at(f.corners[k][0]), rows.at(f.corners[k][north]), f.corners[k][up]};
            turned[k] = {t[k].c, t[k].r};
            EXPECT_EQ(t[k].z, heights[index(f.corners[k])]) << what;
          }
          if (test::Cross(turned[0], turned[1], turned[2]) < 0) std::swap(turned[1], turned[2]);
          return t;
        };
        std::vector<test::Corners> squares(full.size());
        for (std::size_t k = 0; k < full.size(); ++k)
          on_lattice(full[k], squares[k]);
        const float lowest = *std::min_element(heights.begin(), heights.end());
        std::vector<LatticeTriangle> surface;
        std::vector<std::array<Bits, 3>> solid;
        double volume = 0;
        for (const ReadFace& f : ReadFaces(dir.File("solid" + extension))) {
          const auto& [a, b, c] = f.corners;
          volume += a * (b ^ c);
          solid.push_back({BitsOf(a), BitsOf(b), BitsOf(c)});
          if (std::min({a[up], b[up], c[up]}) < lowest) continue;  // the base's
          test::Corners turned;
          surface.push_back(on_lattice(f, turned));
          // The importer gives all of a 3MF object's faces one material; lib3mf reads them
          // face by face in the 3MF test.
          for (std::size_t k = 0; k < full.size() && extension != ".3mf"; ++k) {
            EXPECT_TRUE(f.material == full[k].material || !test::InsidesMeet(turned, squares[k]))
                << what << ": " << f.material << " over " << full[k].material;
          }
        }
        EXPECT_EQ(test::UnpairedEdges(solid), 0) << what;
        EXPECT_GT(volume, 0) << what;
        const HeightGrid grid{static_cast<std::int32_t>(columns.size()),
                              static_cast<std::int32_t>(rows.size()),
                              heights,
                              {}};
        EXPECT_LE(MaxVerticalError(grid, surface), std::max(bound, HeightTolerance(grid))) << what;
        EXPECT_LE(surface.size(), name == std::string("one colour") ? 2u : full.size()) << what;
      }
    }
  }
}

}  // namespace
}  // namespace orvandel
