#include "reference_scenes.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace orvandel::test {
namespace {

// clang-format off
constexpr std::int32_t kHues[] = {
    0, 60, 120, 180, 216, 24, 240, 300, 359, 360, -30, 725, 32767,
    std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), 1000000};
// clang-format on
constexpr int kHueCount = sizeof kHues / sizeof kHues[0];

// Twelve points about a circle of radius 0.9, rising and falling, written out so that no
// library's sine decides the scene.
const std::vector<Vector3> kRing = {
    {0.9f, 0, 0},       {0.78f, 0.45f, 0.26f},   {0.45f, 0.78f, 0.3f},
    {0, 0.9f, 0.01f},   {-0.45f, 0.78f, -0.26f}, {-0.78f, 0.45f, -0.3f},
    {-0.9f, 0, 0.02f},  {-0.78f, -0.45f, 0.26f}, {-0.45f, -0.78f, 0.3f},
    {0, -0.9f, -0.04f}, {0.45f, -0.78f, -0.26f}, {0.78f, -0.45f, -0.3f}};

// Vertex 0 the centre, 1 to 12 the ring, 13 halfway from the centre to ring point 0.
ReferenceScene Overlap() {
  ReferenceScene scene;
  scene.vertices.push_back({0, 0, 0.1f});
  scene.vertices.insert(scene.vertices.end(), kRing.begin(), kRing.end());
  scene.vertices.push_back({0.45f, 0, 0.05f});
  int hue = 0;
  for (std::int32_t k = 0; k < 12; ++k) {
    const std::int32_t a = 1 + k, b = 1 + (k + 3) % 12, c = 1 + (k + 7) % 12;
    const std::int32_t h = kHues[hue++ % kHueCount];
    // Fans in alternating corner order, so that every other one turns away from the sun.
    scene.triangles.push_back(k % 2 == 0 ? TriangleRecord{0, a, b, h} : TriangleRecord{0, b, a, h});
    scene.triangles.push_back({a, b, c, kHues[hue++ % kHueCount]});
  }
  scene.triangles.push_back({5, 5, 5, 120});   // one point
  scene.triangles.push_back({0, 13, 1, 216});  // a line
  scene.triangles.push_back({2, 6, 10, kHues[13]});
  // Vertices that no face names count for the viewing distance only.
  scene.vertices.push_back({50, -40, 30});
  scene.vertices.push_back({-1e6f, 2, 3});
  return scene;
}

// A linear congruential generator: the same numbers on every machine.
class Numbers {
 public:
  // A number from -1 to 1.
  float Next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<float>(static_cast<double>(state_ >> 11) / 0x1p53 * 2 - 1);
  }
  // A whole number from 0 to n - 1.
  std::int32_t Below(std::int32_t n) {
    return static_cast<std::int32_t>((Next() + 1) / 2 * static_cast<float>(n)) % n;
  }

 private:
  std::uint64_t state_ = 20240607;
};

}  // namespace

ReferenceScene OverlapScene() {
  return Overlap();
}

ReferenceScene FarScene() {
  ReferenceScene scene = Overlap();
  // Small faces further and further out, and one long sliver from the middle to the last.
  for (std::int32_t k = 1; k <= 8; ++k) {
    const auto first = static_cast<std::int32_t>(scene.vertices.size());
    const auto step = static_cast<float>(k);
    scene.vertices.push_back({4 * step, -3 * step, 2 * step});
    scene.vertices.push_back({4 * step + 0.5f, -3 * step, 2 * step + 0.4f});
    scene.vertices.push_back({4 * step, -3 * step + 0.5f, 2 * step - 0.3f});
    scene.triangles.push_back({first, first + 1, first + 2, kHues[k]});
  }
  const auto last = static_cast<std::int32_t>(scene.vertices.size()) - 1;
  scene.triangles.push_back({1, last, 7, 300});
  return scene;
}

ReferenceScene SoupScene(int count) {
  Numbers numbers;
  ReferenceScene scene;
  for (int t = 0; t < count; ++t) {
    const Vector3 centre{numbers.Next(), numbers.Next(), numbers.Next()};
    const float size = 0.002f + 0.6f * (numbers.Next() + 1) * (numbers.Next() + 1) / 4;
    TriangleRecord record{};
    for (int corner = 0; corner < 3; ++corner) {
      const auto made = static_cast<std::int32_t>(scene.vertices.size());
      if (made > 0 && numbers.Next() < -0.5f) {
        record[static_cast<std::size_t>(corner)] = numbers.Below(made);
        continue;
      }
      scene.vertices.push_back({centre.x + size * numbers.Next(), centre.y + size * numbers.Next(),
                                centre.z + size * numbers.Next()});
      record[static_cast<std::size_t>(corner)] = made;
    }
    record[3] = kHues[numbers.Below(kHueCount)];
    scene.triangles.push_back(record);
  }
  return scene;
}

ReferenceScene TerrainScene(int side) {
  Numbers numbers;
  ReferenceScene scene;
  const float step = 2.0f / static_cast<float>(side - 1);
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      const float bump = 0.02f * numbers.Next();
      const float wave = 0.1f * static_cast<float>((row * 7 + column * 3) % 17) / 17;
      scene.vertices.push_back({-1 + step * static_cast<float>(column),
                                1 - step * static_cast<float>(row), wave + bump});
    }
  }
  const auto hue = [&](std::int32_t v) {
    const float z = scene.vertices[static_cast<std::size_t>(v)].z;
    return z < 0.03f ? 216 : z < 0.06f ? 120 : z < 0.09f ? 24 : 32767;
  };
  for (std::int32_t row = 0; row + 1 < side; ++row) {
    for (std::int32_t column = 0; column + 1 < side; ++column) {
      const std::int32_t v = row * side + column;
      scene.triangles.push_back({v, v + 1, v + side + 1, hue(v)});
      scene.triangles.push_back({v, v + side + 1, v + side, hue(v + side)});
    }
  }
  return scene;
}

}  // namespace orvandel::test
