#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/render_scene.h"
#include "recording_canvas.h"
#include "scene_corners.h"

namespace orvandel {
namespace {

using test::ClearCalls;
using test::FaceCorners;
using test::RecordingCanvas;

const FaceCorners kExampleFace{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 120};
const FaceCorners kReversedFace{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 120};

std::vector<std::string> Calls(std::vector<std::string> first,
                               const std::vector<std::string>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

std::vector<std::string> Rendered(ViewerState& state) {
  RecordingCanvas canvas;
  RenderScene(state, canvas, 550, 418);
  return canvas.calls;
}

ViewerState SceneOf(const std::vector<FaceCorners>& faces) {
  ViewerState state;
  state.SceneFaces = test::SceneOf(faces);
  return state;
}

TEST(RenderSceneTest, WorkedExample) {
  ViewerState state = SceneOf({kExampleFace});
  EXPECT_EQ(Rendered(state),
            Calls(ClearCalls(550, 418), {"BrushStyle solid", "BrushColour 003D993D",
                                         "PenColour 003D993D", "Polygon 348,0 122,157 479,271"}));
}

TEST(RenderSceneTest, ReversedFaceGetsTheAmbientShadeOnly) {
  ViewerState state = SceneOf({kReversedFace});
  EXPECT_EQ(Rendered(state),
            Calls(ClearCalls(550, 418), {"BrushStyle solid", "BrushColour 00293329",
                                         "PenColour 00293329", "Polygon 348,0 479,271 122,157"}));
}

TEST(RenderSceneTest, WireFrameOutlinesInWhiteWithAClearBrush) {
  ViewerState state = SceneOf({kExampleFace, kReversedFace});
  state.Shaded = false;
  EXPECT_EQ(Rendered(state), Calls(ClearCalls(550, 418), {"BrushStyle clear", "PenColour 00FFFFFF",
                                                          "Polygon 348,0 122,157 479,271",
                                                          "Polygon 348,0 479,271 122,157"}));
}

TEST(RenderSceneTest, WithoutASceneThePictureIsOnlyCleared) {
  ViewerState state;
  EXPECT_EQ(Rendered(state), ClearCalls(550, 418));
}

TEST(RenderSceneTest, FailedProjectionLeavesThePictureAndDiscardsTheScene) {
  ViewerState state = SceneOf({{{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, 120}});
  state.ObserverVertical = state.ObserverHorizontal = 0;
  RecordingCanvas canvas;
  EXPECT_THROW(RenderScene(state, canvas, 550, 418), Refusal);
  EXPECT_TRUE(canvas.calls.empty());
  EXPECT_EQ(Rendered(state), ClearCalls(550, 418));
}

TEST(RenderSceneTest, RenderNowPutsTheBrushBack) {
  ViewerState state = SceneOf({kExampleFace});
  RecordingCanvas canvas;
  canvas.SetBrushColour(0x00123456);
  canvas.SetBrushStyle(BrushStyle::kClear);
  RenderNow(state, canvas, 550, 418);
  const std::vector<std::string> restored{"BrushColour 00123456", "BrushStyle clear"};
  EXPECT_EQ(std::vector<std::string>(canvas.calls.end() - 2, canvas.calls.end()), restored);

  state.SceneFaces = test::SceneOf({{{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, 120}});
  state.ObserverVertical = state.ObserverHorizontal = 0;
  canvas.calls.clear();
  EXPECT_THROW(RenderNow(state, canvas, 550, 418), Refusal);
  EXPECT_EQ(canvas.calls, restored);
}

TEST(ZoomTest, PressesInAndOutReturnToTheStart) {
  ViewerState state;
  EXPECT_EQ(state.Zoom, 0.751f);
  ZoomIn(state);
  EXPECT_EQ(state.Zoom, 0.8261f);
  ZoomIn(state);
  EXPECT_EQ(state.Zoom, 0.90871f);
  ZoomOut(state);
  EXPECT_EQ(state.Zoom, 0.8261f);
  ZoomOut(state);
  EXPECT_EQ(state.Zoom, 0.751f);
}

TEST(ZoomTest, PictureGrowsAboutThePixelOfTheWorldOrigin) {
  ViewerState state = SceneOf({kExampleFace});
  ZoomIn(state);
  const std::vector<std::string> calls = Rendered(state);
  EXPECT_EQ(calls.back().substr(0, 14), "Polygon 348,0 ");
  EXPECT_NE(calls.back(), "Polygon 348,0 122,157 479,271");
}

TEST(ZoomTest, AnyNumberOfPressesDrawsWithinThePixelLimit) {
  ViewerState state = SceneOf({kExampleFace, {{-3, 2, 1}, {5, 5, -2}, {0.5f, -1, 0}, 216}});
  for (int press = 0; press < 500; ++press)
    ZoomIn(state);
  // The second face's corners lie left and up, left and down, right and up of the origin.
  const std::string limit = std::to_string(ViewMapping::kPixelLimit);
  EXPECT_EQ(Rendered(state).back(), "Polygon -" + limit + ",-" + limit + " -" + limit + "," +
                                        limit + " " + limit + ",-" + limit);
}

}  // namespace
}  // namespace orvandel
