#include <gtest/gtest.h>

#include <string>

#include "failure_message.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/project_scene.h"
#include "scene_corners.h"

namespace orvandel {
namespace {

using test::FaceCorners;

// Observer angles 0, 0: the view matrix is the identity, view space is world space.
ViewerState FacingNorth(const std::vector<FaceCorners>& faces) {
  ViewerState state;
  state.SceneFaces = test::SceneOf(faces);
  state.ObserverVertical = 0;
  state.ObserverHorizontal = 0;
  return state;
}

std::string ProjectionMessage(ViewerState& state) {
  return test::MessageOf([&] { Project_Scene(state, 550, 418); });
}

void ExpectNear(const Vector3& v, double x, double y, double z, double tolerance = 5e-7) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(ProjectSceneTest, WorkedExample) {
  ViewerState state;
  state.SceneFaces = test::SceneOf({{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 120}});
  const Projection p = Project_Scene(state, 550, 418);
  const FaceCorners rotated = test::CornersOf(p.view_vertices, state.SceneFaces.faces[0]);
  ExpectNear(rotated.Corner1, 0, 0, 0);
  ExpectNear(rotated.Corner2, -0.866025, 0.469846, -0.171010);
  ExpectNear(rotated.Corner3, 0.5, 0.813798, -0.296198);
  EXPECT_EQ(rotated.Hue, 120);
  EXPECT_NEAR(p.E, 0.866025, 5e-7);
  EXPECT_NEAR(p.S, 1.154701, 5e-7);
  EXPECT_NEAR(p.window.x1, -1.0, 5e-7);
  EXPECT_NEAR(p.window.y1, -0.342020, 5e-7);
  EXPECT_NEAR(p.window.x2, 0.577350, 5e-7);
  EXPECT_EQ(p.window.y2, 0.0f);
  EXPECT_EQ(p.S, static_cast<float>(1.0L / p.E));
}

TEST(ProjectSceneTest, SunStandsTenAwayStraightAboveAtItsStartAngles) {
  ExpectNear(SunPositionFor(ViewMatrixFor(0, 0), kStartSun), 0, 0, 10);
  // Turned with the scene: the observer looks down on the terrain from 20 degrees.
  ExpectNear(SunPositionFor(ViewMatrixFor(20, 60), kStartSun), 0, 3.420201, 9.396926, 1e-6);
  ExpectNear(SunPositionFor(ViewMatrixFor(0, 0), {0, 90}), 10, 0, 0);
}

TEST(ProjectSceneTest, WindowIsTheExtentScaledByOneOverItsReach) {
  // The first corner lowers the minimum as well as raising the maximum.
  ViewerState state = FacingNorth({{{1, 0, 2}, {2, 7, 3}, {3, -5, 4}, 24}});
  const Projection p = Project_Scene(state, 100, 50);
  EXPECT_EQ(p.E, 4.0f);
  EXPECT_EQ(p.window.x1, 0.25f);
  EXPECT_EQ(p.window.y1, 0.5f);
  EXPECT_EQ(p.window.x2, 0.75f);
  EXPECT_EQ(p.window.y2, 1.0f);
  EXPECT_EQ(p.mapping.WorldToPixel(0.25f, 1.0f).x, 0);
  EXPECT_EQ(p.mapping.WorldToPixel(0.75f, 0.5f).y, 49);
}

TEST(ProjectSceneTest, SceneAlongTheDepthAxisIsDivisionByZeroAndIsDiscarded) {
  ViewerState state = FacingNorth({{{0, 1, 0}, {0, 2, 0}, {0, -3, 0}, 120}});
  EXPECT_EQ(ProjectionMessage(state), "Division by zero!");
  EXPECT_TRUE(state.SceneFaces.empty());
}

TEST(ProjectSceneTest, SceneWithoutWidthOrHeightIsDivisionByZero) {
  ViewerState flat = FacingNorth({{{1, 0, 0}, {2, 5, 0}, {-1, 0, 0}, 120}});
  EXPECT_EQ(ProjectionMessage(flat), "Division by zero!");
  EXPECT_TRUE(flat.SceneFaces.empty());
  ViewerState upright = FacingNorth({{{0, 0, 1}, {0, 5, 2}, {0, 0, -1}, 120}});
  EXPECT_EQ(ProjectionMessage(upright), "Division by zero!");
}

}  // namespace
}  // namespace orvandel
