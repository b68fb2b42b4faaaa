// However many threads a render shares its work among, the canvas sees the same calls in
// the same order and the picture comes out the same, pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"
#include "recording_canvas.h"
#include "reference_scenes.h"
#include "scene_corners.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::ReferenceScene;

constexpr int kWidth = 550;
constexpr int kHeight = 418;
constexpr ThreadCount kThreadCounts[] = {2, 3, 8};

ViewerState Loaded(const ReferenceScene& scene) {
  test::TempDir dir;
  tools::WriteFileBytes(dir.File("scene.3df"), scene.Bytes());
  ViewerState state;
  LoadScene(dir.File("scene.3df"), state, [](AnglePair) {});
  return state;
}

std::vector<std::uint32_t> Pixels(ViewerState& state, ThreadCount threads) {
  std::vector<std::uint32_t> pixels(std::size_t{kWidth} * kHeight, 0x12345678);
  RasterCanvas canvas(pixels.data(), kWidth, kHeight, kWidth);
  state.threads = threads;
  RenderScene(state, canvas, kWidth, kHeight);
  return pixels;
}

// Each of the scene's views, shaded and as a wire frame, on one thread and on several.
void ExpectSamePixels(const ReferenceScene& scene, const std::string& name,
                      const std::vector<AnglePair>& observers) {
  ViewerState state = Loaded(scene);
  for (const AnglePair observer : observers) {
    for (const bool shaded : {true, false}) {
      state.Shaded = shaded;
      SetObserverAngles(state, observer);
      const std::vector<std::uint32_t> one = Pixels(state, 1);
      for (const ThreadCount threads : kThreadCounts) {
        EXPECT_TRUE(Pixels(state, threads) == one)
            << name << (shaded ? " shaded" : " wire") << " from " << observer.vertical << ","
            << observer.horizontal << " on " << threads << " threads";
      }
    }
  }
}

TEST(RenderThreadsTest, OneAndSeveralThreadsPaintTheSamePixels) {
  const std::vector<AnglePair> two_views = {kStartObserver, {125, 250}};
  ExpectSamePixels(test::OverlapScene(), "overlap", two_views);
  ExpectSamePixels(test::FarScene(), "far", two_views);
  ExpectSamePixels(test::SoupScene(5000), "soup", two_views);
  // Enough faces that the blocks shaded ahead go round their slots on two and three
  // threads.
  ExpectSamePixels(test::TerrainScene(170), "terrain", {kStartObserver});
}

TEST(RenderThreadsTest, CanvasSeesTheSameCallsWhateverTheThreads) {
  ViewerState state = Loaded(test::TerrainScene(120));
  const auto calls = [&](ThreadCount threads) {
    test::RecordingCanvas canvas;
    state.threads = threads;
    RenderScene(state, canvas, kWidth, kHeight);
    return canvas.calls;
  };
  const std::vector<std::string> one = calls(1);
  ASSERT_EQ(one.size(), 4 + 1 + 3 * state.SceneFaces.faces.size());  // clear, style, faces
  EXPECT_TRUE(calls(2) == one);
  EXPECT_TRUE(calls(5) == one);
}

// Fails at its polygon number fail_at, as a canvas that runs out of memory might.
class FailingCanvas : public test::RecordingCanvas {
 public:
  explicit FailingCanvas(std::size_t fail_at) : fail_at_(fail_at) {}
  void Polygon(PixelPoint, PixelPoint, PixelPoint) override {
    if (++polygons == fail_at_) throw std::runtime_error("canvas failed");
  }
  std::size_t polygons = 0;

 private:
  std::size_t fail_at_;
};

TEST(RenderThreadsTest, CanvasFailureEndsTheRenderOnAnyNumberOfThreads) {
  ViewerState state = Loaded(test::TerrainScene(120));
  for (const ThreadCount threads : {1u, 2u, 4u}) {
    for (const std::size_t fail_at : {std::size_t{1}, std::size_t{5000}, std::size_t{25000}}) {
      FailingCanvas canvas(fail_at);
      state.threads = threads;
      EXPECT_THROW(RenderScene(state, canvas, kWidth, kHeight), std::runtime_error);
      EXPECT_EQ(canvas.polygons, fail_at) << threads << " threads";
    }
  }
}

TEST(LoadSceneIndexedTest, FacesNameTheFilesVerticesAndUnnamedOnesAreDropped) {
  for (const ReferenceScene& scene : {test::OverlapScene(), test::SoupScene(500)}) {
    const ViewerState state = Loaded(scene);
    const IndexedScene& loaded = state.SceneFaces;
    ASSERT_EQ(loaded.faces.size(), scene.triangles.size());
    std::vector<bool> named(scene.vertices.size());
    for (std::size_t k = 0; k < scene.triangles.size(); ++k) {
      const test::FaceCorners corners = test::CornersOf(loaded.vertices, loaded.faces[k]);
      const auto& t = scene.triangles[k];
      for (int c = 0; c < 3; ++c)
        named[static_cast<std::size_t>(t[static_cast<std::size_t>(c)])] = true;
      const auto at = [&](int c) { return scene.vertices[static_cast<std::size_t>(t[c])]; };
      EXPECT_EQ(corners.Corner1.x, at(0).x);
      EXPECT_EQ(corners.Corner2.y, at(1).y);
      EXPECT_EQ(corners.Corner3.z, at(2).z);
      EXPECT_EQ(corners.Hue, t[3]);
    }
    EXPECT_EQ(loaded.vertices.size(),
              static_cast<std::size_t>(std::count(named.begin(), named.end(), true)));
  }
}

}  // namespace
}  // namespace orvandel
