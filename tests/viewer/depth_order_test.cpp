#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"
#include "scene_corners.h"

namespace orvandel {
namespace {

using test::FaceCorners;

// Seen from straight above, so that the height is the depth: the faces at height 1 lie
// nearer than those at 0. The small face lies within the others on the picture.
const FaceCorners kNear{{-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, 120};
const FaceCorners kNearTwin{{-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, 24};
const FaceCorners kFar{{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}, 216};
const FaceCorners kSmallFar{{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0, 0.5f, 0}, 216};

std::vector<std::uint32_t> Picture(const std::vector<FaceCorners>& faces, PaintOrder order,
                                   bool shaded) {
  constexpr int kWidth = 120;
  constexpr int kHeight = 90;
  ViewerState state;
  state.SceneFaces = test::SceneOf(faces);
  SetObserverAngles(state, {90, 0});
  state.paint_order = order;
  state.Shaded = shaded;
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  RasterCanvas canvas(pixels.data(), kWidth, kHeight, kWidth);
  RenderScene(state, canvas, kWidth, kHeight);
  return pixels;
}

struct DepthCase {
  const char* name;
  std::vector<FaceCorners> faces;
  PaintOrder order;
  bool shaded;
  std::vector<FaceCorners> looks_like;  // in file order
};

TEST(DepthOrderTest, NearerFacesHideFartherOnes) {
  const DepthCase cases[] = {
      {"file order paints far over near", {kNear, kFar}, PaintOrder::kFile, true, {kFar}},
      {"depth order shows the near face", {kNear, kFar}, PaintOrder::kDepth, true, {kNear}},
      {"whatever the file order", {kFar, kNear}, PaintOrder::kDepth, true, {kNear}},
      {"the later of equally near faces",
       {kNear, kNearTwin},
       PaintOrder::kDepth,
       true,
       {kNearTwin}},
      {"a hidden face leaves no trace", {kNear, kSmallFar}, PaintOrder::kDepth, true, {kNear}},
      {"wire frame: hidden edges stay hidden",
       {kNear, kSmallFar},
       PaintOrder::kDepth,
       false,
       {kNear}},
      {"wire frame: edges in front show",
       {kSmallFar, kFar},
       PaintOrder::kDepth,
       false,
       {kSmallFar, kFar}},
  };
  for (const DepthCase& c : cases) {
    EXPECT_EQ(Picture(c.faces, c.order, c.shaded),
              Picture(c.looks_like, PaintOrder::kFile, c.shaded))
        << c.name;
  }
}

}  // namespace
}  // namespace orvandel
