// Opening a scene changes the shown state only when the load is whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_builder.h"
#include "failure_message.h"
#include "orvandel/commands/scene_commands.h"
#include "scene_file.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::SceneFileBytes;

// A mesh whose one triangle names a corner the mesh does not hold.
class BrokenMeshReader : public MeshFileReader {
 public:
  ImportedMesh Read(const std::string&, const RenderStop&) const override {
    return {{{0, 0, 0}, {1, 0, 0}}, {0, 1, 2}, {3}, {kNoMaterial}, {}};
  }
};

struct Opener {
  // The message that ended the open, "" when it succeeded; RenderStopped as it comes.
  std::string Open(const std::string& file_name, const RenderStop& stop = RenderStop::Never()) {
    NoBusyIndicator busy;
    return test::MessageOf([&] {
      OpenSceneCommand(
          state, {file_name, reader, std::nullopt}, [this](AnglePair) { ++shown; }, busy, stop);
    });
  }

  BrokenMeshReader reader;
  ViewerState state;
  int shown = 0;
};

void ExpectSameState(const ViewerState& state, const ViewerState& before) {
  ASSERT_EQ(state.SceneFaces.faces.size(), before.SceneFaces.faces.size());
  EXPECT_EQ(state.SceneFaces.faces[0].Hue, before.SceneFaces.faces[0].Hue);
  EXPECT_EQ(state.SceneFaces.vertices.size(), before.SceneFaces.vertices.size());
  EXPECT_EQ(state.EyeDistance, before.EyeDistance);
  EXPECT_EQ(TargetAngles(state), TargetAngles(before));
  EXPECT_EQ(state.SunVertical, before.SunVertical);
}

TEST(SceneCommandsTest, FailedOpenChangesNothing) {
  test::TempDir dir;
  const std::string good = SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {0, 2, 1}}, {{0, 1, 2, 120}});
  tools::WriteFileBytes(dir.File("good.3df"), good);
  tools::WriteFileBytes(dir.File("empty.3df"), SceneFileBytes({}, {}));
  tools::WriteFileBytes(dir.File("point.3df"), SceneFileBytes({{1, 1, 1}}, {{0, 0, 0, 24}}));
  tools::WriteFileBytes(dir.File("cut.3df"), SceneFileBytes({{0, 0, 0}, {5, 0, 0}, {0, 5, 0}},
                                                            {{0, 1, 2, 216}, {2, 1, 0, 24}})
                                                 .substr(0, 70));
  tools::WriteFileBytes(dir.File("broken.STL"), "solid");

  Opener opener;
  ASSERT_EQ(opener.Open(dir.File("good.3df")), "");
  EXPECT_EQ(opener.shown, 1);
  TurnTarget(opener.state, AngleAxis::kVertical, 5);
  ChooseAngleTarget(opener.state, AngleTargetKind::kSun);
  TurnTarget(opener.state, AngleAxis::kVertical, -5);
  ViewerState before = CopyWithoutScene(opener.state);
  before.SceneFaces = opener.state.SceneFaces;

  const std::vector<std::pair<std::string, std::string>> failures = {
      {"missing.3df", "File not found."}, {"empty.3df", "Invalid file!"},
      {"point.3df", "Division by zero!"}, {"cut.3df", "Read beyond end of file."},
      {"broken.STL", "Invalid file!"},
  };
  for (const auto& [file, message] : failures) {
    EXPECT_EQ(opener.Open(dir.File(file)), message) << file;
    ExpectSameState(opener.state, before);
    EXPECT_EQ(opener.shown, 1) << file;
  }
  RenderStop stopped;
  stopped.Stop();
  EXPECT_THROW(opener.Open(dir.File("good.3df"), stopped), RenderStopped);
  ExpectSameState(opener.state, before);
}

}  // namespace
}  // namespace orvandel
