#include <gtest/gtest.h>

#include "orvandel/geometry/view_mapping.h"

namespace orvandel {
namespace {

// The generator's mapping for a 400 x 200 pixel map whose world is 2.0 by 1.0.
ViewMapping MapOf400By200() {
  ViewMapping mapping;
  mapping.SetWindow(-1.0f, -0.5f, 1.0f, 0.5f);
  mapping.SetViewport(0, 0, 399, 199);
  return mapping;
}

TEST(ViewMappingTest, WorkedExample) {
  const ViewMapping mapping = MapOf400By200();
  WorldPoint w = mapping.PixelToWorld(0, 0);
  EXPECT_EQ(w.x, -1.0f);
  EXPECT_EQ(w.y, 0.5f);
  w = mapping.PixelToWorld(399, 199);
  EXPECT_EQ(w.x, 1.0f);
  EXPECT_EQ(w.y, -0.5f);
  w = mapping.PixelToWorld(5, 5);
  EXPECT_NEAR(w.x, -0.974937, 5e-7);
  EXPECT_NEAR(w.y, 0.474874, 5e-7);
  EXPECT_EQ(w.x, static_cast<float>((5 - 199.5L) / 199.5L));

  // sx = 199.5, tx = 199.5, sy = -199.0, ty = 99.5: the origin falls on 199.5 and 99.5.
  const PixelPoint p = mapping.WorldToPixel(0, 0);
  EXPECT_EQ(p.x, 200);
  EXPECT_EQ(p.y, 100);
  w = mapping.PixelToWorld(200, 100);
  EXPECT_EQ(w.x, static_cast<float>(0.5L / 199.5L));
  EXPECT_EQ(w.y, static_cast<float>(0.5L / -199.0L));
}

TEST(ViewMappingTest, HalvesGoToTheEvenPixel) {
  ViewMapping mapping;
  mapping.SetWindow(0, 0, 100, 100);
  mapping.SetViewport(0, 0, 100, 100);
  EXPECT_EQ(mapping.WorldToPixel(98.5f, 0).x, 98);
  EXPECT_EQ(mapping.WorldToPixel(99.5f, 0).x, 100);
  EXPECT_EQ(mapping.WorldToPixel(0, 1.5f).y, 98);
}

TEST(ViewMappingTest, NewWindowWaitsForTheNextViewport) {
  ViewMapping mapping = MapOf400By200();
  mapping.SetWindow(-5, -5, 5, 5);
  EXPECT_EQ(mapping.PixelToWorld(399, 199).x, 1.0f);
  mapping.SetViewport(0, 0, 399, 199);
  EXPECT_EQ(mapping.PixelToWorld(399, 199).x, 5.0f);
  EXPECT_EQ(mapping.PixelToWorld(399, 199).y, -5.0f);
}

TEST(ViewMappingTest, FlatAxisMapsToTheCentreInsteadOfDividingByZero) {
  ViewMapping mapping;
  mapping.SetWindow(-1.0f, -0.5f, 1.0f, 0.5f);
  mapping.SetViewport(0, 0, 0, 199);  // a map one pixel wide
  EXPECT_EQ(mapping.PixelToWorld(0, 0).x, 0.0f);
  EXPECT_EQ(mapping.PixelToWorld(0, 0).y, 0.5f);

  mapping.SetWindow(2.0f, -1.0f, 2.0f, 1.0f);  // a window of no width
  mapping.SetViewport(0, 0, 10, 10);
  EXPECT_EQ(mapping.WorldToPixel(7.0f, 0).x, 5);
  EXPECT_EQ(mapping.PixelToWorld(3, 0).x, 2.0f);
}

TEST(ViewMappingTest, FarPointsAreHeldAtThePixelLimit) {
  const ViewMapping mapping = MapOf400By200();
  EXPECT_EQ(mapping.WorldToPixel(1e30f, -1e30f).x, ViewMapping::kPixelLimit);
  EXPECT_EQ(mapping.WorldToPixel(1e30f, -1e30f).y, ViewMapping::kPixelLimit);
  EXPECT_EQ(mapping.WorldToPixel(-1e30f, 0).x, -ViewMapping::kPixelLimit);
}

}  // namespace
}  // namespace orvandel
