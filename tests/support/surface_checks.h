#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace orvandel::test {

// A triangle of lattice points (column, row), or of any whole-number plane.
using LatticeXY = std::array<std::int64_t, 2>;
using Corners = std::array<LatticeXY, 3>;

// Twice the signed area of the triangle o, a, b: positive when it turns from x towards y.
inline std::int64_t Cross(const LatticeXY& o, const LatticeXY& a, const LatticeXY& b) {
  return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

// Whether the insides of two triangles that both turn from x towards y (a positive Cross)
// meet: no edge of either has the other wholly on its outer side, touching it at most.
inline bool InsidesMeet(const Corners& a, const Corners& b) {
  const auto separates = [](const Corners& t, const Corners& other) {
    for (std::size_t e = 0; e < 3; ++e) {
      const auto outside = [&](const LatticeXY& x) { return Cross(t[e], t[(e + 1) % 3], x) <= 0; };
      if (std::all_of(other.begin(), other.end(), outside)) return true;
    }
    return false;
  };
  return !separates(a, b) && !separates(b, a);
}

// Counts the directed edges that do not appear exactly once with exactly one partner
// running the other way: 0 for a closed surface whose faces are all wound alike.
template <typename Key>
int UnpairedEdges(const std::vector<std::array<Key, 3>>& faces) {
  std::map<std::pair<Key, Key>, int> edges;
  for (const auto& f : faces) {
    for (std::size_t k = 0; k < 3; ++k)
      ++edges[{f[k], f[(k + 1) % 3]}];
  }
  int unpaired = 0;
  for (const auto& [edge, count] : edges) {
    const auto back = edges.find({edge.second, edge.first});
    if (count != 1 || back == edges.end() || back->second != 1) ++unpaired;
  }
  return unpaired;
}

}  // namespace orvandel::test
