// The true-scale formats read back by a widely used reader, the Open Asset Import Library.
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <map>

#include "fileio/little_endian.h"
#include "generation.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::FacesByClass;
using test::Generation;
using test::TempDir;
using test::TrueScaleHill;

struct ReadBack {
  unsigned vertices = 0;
  std::map<std::string, unsigned> faces;  // by material name
  aiVector3D low{1e9f, 1e9f, 1e9f};
  aiVector3D high{-1e9f, -1e9f, -1e9f};
  double volume = 0;  // signed: positive for a closed body whose faces turn outwards

  unsigned Faces() const {
    unsigned total = 0;
    for (const auto& [material, count] : faces)
      total += count;
    return total;
  }
};

ReadBack ReadWithAssimp(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  EXPECT_NE(scene, nullptr) << path << ": " << importer.GetErrorString();
  ReadBack read;
  for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) {
    const aiMesh& mesh = *scene->mMeshes[m];
    read.vertices += mesh.mNumVertices;
    read.faces[scene->mMaterials[mesh.mMaterialIndex]->GetName().C_Str()] += mesh.mNumFaces;
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
      const aiVector3D& p = mesh.mVertices[v];
      read.low = {std::min(read.low.x, p.x), std::min(read.low.y, p.y), std::min(read.low.z, p.z)};
      read.high = {std::max(read.high.x, p.x), std::max(read.high.y, p.y),
                   std::max(read.high.z, p.z)};
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const unsigned* corner = mesh.mFaces[f].mIndices;
      const aiVector3D &a = mesh.mVertices[corner[0]], &b = mesh.mVertices[corner[1]];
      read.volume += a * (b ^ mesh.mVertices[corner[2]]) / 6;
    }
  }
  return read;
}

void ExpectBounds(const ReadBack& read, aiVector3D low, aiVector3D high) {
  for (unsigned axis = 0; axis < 3; ++axis) {
    EXPECT_NEAR(read.low[axis], low[axis], 1e-3) << "axis " << axis;
    EXPECT_NEAR(read.high[axis], high[axis], 1e-3) << "axis " << axis;
  }
}

TEST(RealReadersTest, EveryFormatReadsBackAtTrueScaleWithItsMaterials) {
  TempDir dir;
  Generation g = TrueScaleHill();
  const std::map<std::string, unsigned> by_class = FacesByClass(g);
  ASSERT_EQ(by_class.size(), 4u);  // the hill has faces of every class
  for (const char* name : {"hill.stl", "hill.obj", "hill.ply", "hill.glb"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(g.Run(dir.File(name)), "");
    const ReadBack read = ReadWithAssimp(dir.File(name));
    EXPECT_EQ(read.Faces(), 70u);
    // OBJ and glTF: y up, z south from the map's top edge.
    const bool y_up = std::string(name) == "hill.obj" || std::string(name) == "hill.glb";
    ExpectBounds(read, {0, y_up ? 250.0f : 0, y_up ? 0 : 250.0f},
                 {800, y_up ? 700.0f : 600, y_up ? 600.0f : 700});
  }
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.ply")).vertices, 48u);
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.obj")).faces, by_class);
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.glb")).faces, by_class);
}

TEST(RealReadersTest, SolidBaseReadsBackWithItsOwnMaterial) {
  TempDir dir;
  Generation g = TrueScaleHill();
  g.options.base = 50;
  g.options.vertical_scale = 0.5;
  for (const char* name : {"hill.stl", "hill.obj", "hill.ply", "hill.glb"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(g.Run(dir.File(name)), "");
    const ReadBack read = ReadWithAssimp(dir.File(name));
    EXPECT_EQ(read.Faces(), 70u + 72);
    // Heights halved: the lowest cells at 125, the bottom 50 below them.
    const bool y_up = std::string(name) == "hill.obj" || std::string(name) == "hill.glb";
    ExpectBounds(read, {0, y_up ? 75.0f : 0, y_up ? 0 : 75.0f},
                 {800, y_up ? 350.0f : 600, y_up ? 600.0f : 350});
  }
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.obj")).faces.at("base"), 72u);
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.glb")).faces.at("base"), 72u);
}

// The hill spans x 0 to 800, y 0 to 600 and z 250 to 700; printed 80 mm wide it is scaled
// by 0.1 about its middle (400, 300) and its lowest point (z 250, or the base's bottom).
TEST(RealReadersTest, EachFormatIsPlacedInItsToolsAxesAtItsPrintWidth) {
  struct Case {
    const char* name;
    MeshOptions options;
    aiVector3D low, high;
  };
  const Case cases[] = {
      {"hill.stl", {.print_width = 80}, {-40, -30, 0}, {40, 30, 45}},
      {"hill.ply", {.base = 5, .print_width = 80}, {-40, -30, 0}, {40, 30, 50}},
      {"hill.obj", {.base = 5, .print_width = 80}, {-40, 0, -30}, {40, 50, 30}},
      {"hill.glb", {.print_width = 80}, {-40, 0, -30}, {40, 45, 30}},
      {"hill.stl", {.base = 50, .up = UpAxis::kY}, {0, 200, 0}, {800, 700, 600}},
      {"hill.obj", {.base = 50, .up = UpAxis::kZ}, {0, 0, 200}, {800, 600, 700}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.options.print_width));
    Generation g = TrueScaleHill();
    g.options = c.options;
    ASSERT_EQ(g.Run(dir.File(c.name)), "");
    const ReadBack read = ReadWithAssimp(dir.File(c.name));
    ExpectBounds(read, c.low, c.high);
    // Turned, never mirrored: the body's faces still turn outwards.
    EXPECT_TRUE(c.options.base == 0 || read.volume > 0) << read.volume;
  }
}

}  // namespace
}  // namespace orvandel
