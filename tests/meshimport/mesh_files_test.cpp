// The mesh files that the writers write, opened as the viewer's scenes through the reader
// library: the terrain of the 3DF file, its faces classed alike.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "assimp_mesh_reader.h"
#include "failure_message.h"
#include "generation.h"
#include "orvandel/commands/scene_commands.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

std::map<std::int32_t, int> FacesByHue(const ViewerState& state) {
  std::map<std::int32_t, int> faces;
  for (const SceneFace& face : state.SceneFaces.faces)
    ++faces[face.Hue];
  return faces;
}

// The box around the scene's vertices: low x, y, z, then high.
std::array<float, 6> Box(const ViewerState& state) {
  std::array<float, 6> box{1e9f, 1e9f, 1e9f, -1e9f, -1e9f, -1e9f};
  for (const Vector3& v : state.SceneFaces.vertices) {
    const float axes[] = {v.x, v.y, v.z};
    for (int k = 0; k < 3; ++k) {
      box[k] = std::min(box[k], axes[k]);
      box[k + 3] = std::max(box[k + 3], axes[k]);
    }
  }
  return box;
}

ViewerState Opened(const std::string& file_name, const std::optional<HeightLevels>& levels) {
  const AssimpMeshReader reader;
  NoBusyIndicator busy;
  ViewerState state;
  EXPECT_EQ(test::MessageOf([&] {
              OpenSceneCommand(
                  state, {file_name, reader, levels}, [](AnglePair) {}, busy);
            }),
            "")
      << file_name;
  return state;
}

TEST(MeshFilesTest, EveryFormatShowsTheTerrainOfItsThreeDfFile) {
  test::TempDir dir;
  test::Generation hill = test::TrueScaleHill();
  ASSERT_EQ(hill.Run(dir.File("hill.3df")), "");
  const ViewerState three_df = Opened(dir.File("hill.3df"), std::nullopt);
  const std::map<std::int32_t, int> classes = FacesByHue(three_df);
  ASSERT_EQ(classes.size(), 4u);  // every height class

  const HeightLevels levels{250, 350, 550};  // the hill's
  struct Case {
    const char* file;
    std::optional<HeightLevels> levels;
    std::map<std::int32_t, int> hues;
    bool placed_as_3df;  // OBJ is written with z up, but read with y up as its tools do
  };
  const Case cases[] = {
      {"hill.stl", levels, classes, true},        {"hill.stl", std::nullopt, {{kNoHue, 70}}, true},
      {"hill.ply", std::nullopt, classes, true},  {"hill.glb", std::nullopt, classes, true},
      {"hill.obj", std::nullopt, classes, false},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(hill.Run(dir.File(c.file)), "");
    const ViewerState state = Opened(dir.File(c.file), c.levels);
    EXPECT_EQ(FacesByHue(state), c.hues) << c.file;
    if (!c.placed_as_3df) continue;
    for (int k = 0; k < 6; ++k)
      EXPECT_NEAR(Box(state)[k], Box(three_df)[k], 1e-5) << c.file << " " << k;
  }
}

}  // namespace
}  // namespace orvandel
