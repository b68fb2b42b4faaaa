// Stopping a render: before it starts, while it draws, and by a time limit. Stops from
// another thread: background_render_test.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <thread>
#include <vector>

#include "orvandel/viewer/render_scene.h"
#include "orvandel/viewer/render_stop.h"
#include "recording_canvas.h"
#include "scene_corners.h"

namespace orvandel {
namespace {

using test::FaceCorners;
using test::RecordingCanvas;

// count copies of one face around the world origin; at a zoom of 20 each covers the
// whole picture.
ViewerState Overdraw(std::size_t count) {
  ViewerState state;
  const FaceCorners face{{1, 0, 0}, {-1, 1, 0}, {-1, -1, 0}, 120};
  state.SceneFaces = test::SceneOf(std::vector<FaceCorners>(count, face));
  state.Zoom = 20;
  return state;
}

// Stops the render when it draws its stop_at-th face.
class StoppingCanvas : public RecordingCanvas {
 public:
  StoppingCanvas(RenderStop& stop, std::size_t stop_at) : stop_(stop), stop_at_(stop_at) {}
  void Polygon(PixelPoint, PixelPoint, PixelPoint) override {
    if (++drawn == stop_at_) stop_.Stop();
  }
  std::size_t drawn = 0;

 private:
  RenderStop& stop_;
  std::size_t stop_at_;
};

TEST(RenderStopTest, AStopAskedBeforeTheRenderLeavesThePictureUntouched) {
  ViewerState state = Overdraw(10);
  RenderStop stop;
  EXPECT_FALSE(stop.Stopped());
  stop.Stop();
  RecordingCanvas canvas;
  EXPECT_THROW(RenderScene(state, canvas, 550, 418, stop), RenderStopped);
  EXPECT_TRUE(canvas.calls.empty());
  EXPECT_EQ(state.SceneFaces.faces.size(), 10u);  // the scene stays for the next render
}

// Shaded on one and two threads and as a wire frame: the render ends within a check's
// distance of the stop, and puts the brush back.
TEST(RenderStopTest, AStopWhileDrawingEndsTheRenderWithinAFewFaces) {
  for (const bool shaded : {true, false}) {
    for (const ThreadCount threads : {1u, 2u}) {
      ViewerState state = Overdraw(20000);
      state.Shaded = shaded;
      state.threads = threads;
      RenderStop stop;
      StoppingCanvas canvas(stop, 5000);
      canvas.SetBrushColour(0x00123456);
      EXPECT_THROW(RenderNow(state, canvas, 550, 418, stop), RenderStopped);
      EXPECT_GE(canvas.drawn, 5000u);
      EXPECT_LE(canvas.drawn, 5000u + RenderStop::kFacesBetweenChecks);
      EXPECT_EQ(canvas.GetBrushColour(), 0x00123456u);
    }
  }
}

TEST(RenderStopTest, TimeLimits) {
  const RenderStop short_limit(0.001);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(short_limit.Stopped());
  EXPECT_THROW(short_limit.ThrowIfStopped(), RenderStopped);

  // Limits beyond the clock's range wait for ever instead of wrapping round into the past.
  for (const double seconds :
       {1e9, 1e30, std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(RenderStop(seconds).Stopped()) << seconds;
  }
}

}  // namespace
}  // namespace orvandel
