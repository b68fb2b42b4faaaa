#include "viewer/joined_vertices.h"

#include <bit>
#include <cstddef>

namespace orvandel {
namespace {

constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

// A stopped load ends after at most this many vertices more.
constexpr std::size_t kVerticesBetweenChecks = std::size_t{1} << 16;

// The position with -0 made 0, so that equal positions have equal bits.
Vector3 Plain(const Vector3& v) {
  return {v.x + 0.0f, v.y + 0.0f, v.z + 0.0f};
}

std::uint64_t HashOf(const Vector3& v) {
  std::uint64_t h = std::bit_cast<std::uint32_t>(v.x);
  h = (h ^ std::bit_cast<std::uint32_t>(v.y)) * 0x9E3779B97F4A7C15u;
  h = (h ^ std::bit_cast<std::uint32_t>(v.z)) * 0x9E3779B97F4A7C15u;
  return h ^ (h >> 29);
}

bool Equal(const Vector3& a, const Vector3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

std::vector<std::uint32_t> JoinEqualVertices(std::vector<Vector3>& vertices,
                                             const RenderStop& stop) {
  // An open table of the kept vertices' numbers, at most half full.
  const std::size_t slots = std::bit_ceil(2 * vertices.size() + 1);
  std::vector<std::uint32_t> table(slots, kEmpty);
  std::vector<std::uint32_t> numbers(vertices.size());
  std::size_t kept = 0;
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    if (k % kVerticesBetweenChecks == 0) stop.ThrowIfStopped();
    const Vector3 v = Plain(vertices[k]);
    std::size_t slot = HashOf(v) & (slots - 1);
    while (table[slot] != kEmpty && !Equal(vertices[table[slot]], v))
      slot = (slot + 1) & (slots - 1);
    if (table[slot] == kEmpty) {
      vertices[kept] = v;
      table[slot] = static_cast<std::uint32_t>(kept++);
    }
    numbers[k] = table[slot];
  }
  vertices.resize(kept);
  return numbers;
}

}  // namespace orvandel
