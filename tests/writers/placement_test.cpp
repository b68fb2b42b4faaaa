#include "writers/placement.h"

#include <gtest/gtest.h>

#include "writers/unit_normal.h"

namespace orvandel {
namespace {

void ExpectNear(const Vector3& actual, const Vector3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-4);
  EXPECT_NEAR(actual.y, expected.y, 1e-4);
  EXPECT_NEAR(actual.z, expected.z, 1e-4);
}

TEST(PlacementTest, PrintWidthScalesCentresAndSetsTheLowestPointOnZero) {
  const AxisRanges hill{{0, 800}, {0, 600}, {200, 700}};
  struct Case {
    const char* name;
    float print_width;
    UpAxis up;
    Vector3 low, high;  // where the corners (0, 0, 200) and (800, 600, 700) go
  };
  const Case cases[] = {
      {"map units, z up", 0, UpAxis::kZ, {0, 0, 200}, {800, 600, 700}},
      // z runs south from the map's top edge, as in glTF.
      {"map units, y up", 0, UpAxis::kY, {0, 200, 600}, {800, 700, 0}},
      {"150 wide, z up", 150, UpAxis::kZ, {-75, -56.25f, 0}, {75, 56.25f, 93.75f}},
      {"150 wide, y up", 150, UpAxis::kY, {-75, 0, 56.25f}, {75, 93.75f, -56.25f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Placement placement = PlaceMesh(hill, c.print_width, c.up, 600);
    ExpectNear(placement.Position({0, 0, 200}), c.low);
    ExpectNear(placement.Position({800, 600, 700}), c.high);
    const AxisRanges placed = placement.Bounds(hill);
    const auto range = [](float a, float b) { return AxisRange{std::min(a, b), std::max(a, b)}; };
    for (const auto& [axis, expected] : {std::pair{placed.x, range(c.low.x, c.high.x)},
                                         {placed.y, range(c.low.y, c.high.y)},
                                         {placed.z, range(c.low.z, c.high.z)}}) {
      EXPECT_NEAR(axis.low, expected.low, 1e-4);
      EXPECT_NEAR(axis.high, expected.high, 1e-4);
    }
    // A rotation: a face's normal turns as the normals do, so its winding stays.
    const Vector3 a{0, 0, 200}, b{800, 0, 300}, d{0, 600, 250};
    ExpectNear(FacetNormal(placement.Position(a), placement.Position(b), placement.Position(d)),
               placement.Normal(FacetNormal(a, b, d)));
  }
}

TEST(PlacementTest, MapUnitsKeepEveryBit) {
  const Vector3 p{1234.5677f, 3e38f, -0.1f};
  const Vector3 z_up = PlaceMesh({}, 0, UpAxis::kZ, 0).Position(p);
  EXPECT_EQ(std::tie(z_up.x, z_up.y, z_up.z), std::tie(p.x, p.y, p.z));
  const Vector3 y_up = PlaceMesh({}, 0, UpAxis::kY, 4800).Position(p);
  EXPECT_EQ(y_up.y, p.z);
  EXPECT_EQ(y_up.z, static_cast<float>(4800.0 - p.y));
}

}  // namespace
}  // namespace orvandel
