// Renders on a thread of their own: whole, stopped, failed, and with the view changed while
// they run.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "orvandel/commands/background_render.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"
#include "scene_corners.h"

namespace orvandel {
namespace {

using test::FaceCorners;

constexpr int kWidth = 110, kHeight = 84;

struct Pixels {
  std::vector<std::uint32_t> words = std::vector<std::uint32_t>(kWidth * kHeight, 0x12345678);
  RasterCanvas canvas{words.data(), kWidth, kHeight, kWidth};
  Picture picture() { return {canvas, kWidth, kHeight}; }
};

ViewerState StateOf(const std::vector<FaceCorners>& faces) {
  ViewerState state;
  state.SceneFaces = test::SceneOf(faces);
  return state;
}

ViewerState Hills() {
  return StateOf({{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 120},
                  {{-1, 0, 0.5f}, {0, -1, 0}, {1, 1, 0.2f}, 216},
                  {{-1, -1, 0}, {1, -1, 0.1f}, {0, 1, 0.3f}, 24}});
}

// The picture as the render window drew it before renders had threads of their own.
std::vector<std::uint32_t> DrawnAtOnce(ViewerState state) {
  Pixels pixels;
  RenderNow(state, pixels.canvas, kWidth, kHeight);
  return pixels.words;
}

// The view as it stood when the render began is the one drawn; changes made meanwhile
// wait for the next render.
TEST(BackgroundRenderTest, WholeRenderDrawsTheViewAsItStoodAtTheStart) {
  ViewerState state = Hills();
  const std::vector<std::uint32_t> expected = DrawnAtOnce(Hills());
  Pixels pixels;
  std::atomic<int> done = 0;
  BackgroundRender render(state, pixels.picture(), [&] { ++done; });
  state.ObserverVertical = 45;
  state.Zoom = 3;
  EXPECT_TRUE(render.Finish());
  EXPECT_EQ(done, 1);
  EXPECT_EQ(pixels.words, expected);
  EXPECT_EQ(state.SceneFaces.faces.size(), 3u);  // back for the next render
  EXPECT_EQ(state.ObserverVertical, 45);
  EXPECT_FALSE(render.Finish());
}

// A stopped render's picture is never to be used, even when it happened to be whole; the
// scene comes back either way, also when the render is dropped without Finish.
TEST(BackgroundRenderTest, StoppedRenderGivesNoPictureAndKeepsTheScene) {
  ViewerState state = Hills();
  Pixels pixels;
  std::atomic<int> done = 0;
  {
    BackgroundRender render(state, pixels.picture(), [&] { ++done; });
    EXPECT_TRUE(state.SceneFaces.empty());  // the render's own while it runs
    render.Stop();
    EXPECT_FALSE(render.Finish());
  }
  EXPECT_EQ(state.SceneFaces.faces.size(), 3u);
  {
    const std::vector<FaceCorners> face(200000, {{1, 0, 0}, {-1, 1, 0}, {-1, -1, 0}, 120});
    ViewerState overdraw = StateOf(face);
    overdraw.Zoom = 20;
    const BackgroundRender dropped(overdraw, pixels.picture(), [&] { ++done; });
  }
  EXPECT_EQ(done, 2);
}

TEST(BackgroundRenderTest, FailureComesOutOfFinishOnce) {
  ViewerState state = StateOf({{{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, 120}});
  state.ObserverVertical = state.ObserverHorizontal = 0;
  Pixels pixels;
  BackgroundRender render(state, pixels.picture(), [] {});
  EXPECT_THROW(render.Finish(), Refusal);
  EXPECT_TRUE(state.SceneFaces.empty());  // discarded, as a render on the spot does
  EXPECT_FALSE(render.Finish());
}

}  // namespace
}  // namespace orvandel
