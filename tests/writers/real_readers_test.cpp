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

using test::Generation;
using test::TempDir;
using test::TrueScaleHill;

struct ReadBack {
  unsigned vertices = 0;
  std::map<std::string, unsigned> faces;  // by material name
  aiVector3D low{1e9f, 1e9f, 1e9f};
  aiVector3D high{-1e9f, -1e9f, -1e9f};

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
  }
  return read;
}

void ExpectBounds(const ReadBack& read, aiVector3D low, aiVector3D high) {
  for (unsigned axis = 0; axis < 3; ++axis) {
    EXPECT_NEAR(read.low[axis], low[axis], 1e-3) << "axis " << axis;
    EXPECT_NEAR(read.high[axis], high[axis], 1e-3) << "axis " << axis;
  }
}

// The faces of each material that the 3DF mesh's height classes give.
std::map<std::string, unsigned> FacesByClass(Generation& g) {
  const std::map<int, std::string> names = {
      {216, "water"}, {120, "lawn"}, {24, "rock"}, {32767, "snow"}};
  const std::string mesh = g.Written("hill.3df");
  const auto* bytes = reinterpret_cast<const unsigned char*>(mesh.data());
  const std::size_t triangles = 11 + 12 * static_cast<std::size_t>(I32At(bytes + 3));
  std::map<std::string, unsigned> faces;
  for (std::size_t at = triangles; at < mesh.size(); at += 16)
    ++faces[names.at(I32At(bytes + at + 12))];
  return faces;
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
    const bool glb = std::string(name) == "hill.glb";
    // glTF: y up, z south from the map's top edge.
    ExpectBounds(read, {0, glb ? 250.0f : 0, glb ? 0 : 250.0f},
                 {800, glb ? 700.0f : 600, glb ? 600.0f : 700});
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
    const bool glb = std::string(name) == "hill.glb";
    ExpectBounds(read, {0, glb ? 75.0f : 0, glb ? 0 : 75.0f},
                 {800, glb ? 350.0f : 600, glb ? 600.0f : 350});
  }
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.obj")).faces.at("base"), 72u);
  EXPECT_EQ(ReadWithAssimp(dir.File("hill.glb")).faces.at("base"), 72u);
}

}  // namespace
}  // namespace orvandel
