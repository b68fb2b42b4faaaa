#include "meshing/decimate.h"

#include <algorithm>
#include <array>
#include <vector>

#include "meshing/vertex_removal.h"

namespace orvandel {
namespace {

// Vertices waiting to be tried, fewest triangles first. Removing a vertex adds its
// triangles to a neighbour's; trying those with few first keeps every vertex's star small,
// which keeps each try cheap and leaves fewer vertices in the end. A vertex whose count
// changed while it waited is filed again when it comes up.
class DegreeQueue {
 public:
  explicit DegreeQueue(const DecimationMesh& mesh)
      : mesh_(mesh), waiting_(static_cast<std::size_t>(mesh.VertexCount())) {}

  void Push(std::int32_t v) {
    std::uint8_t& waiting = waiting_[static_cast<std::size_t>(v)];
    if (waiting != 0 || mesh_.Fixed(v) || mesh_.Removed(v)) return;
    waiting = 1;
    File(v);
  }

  // The next vertex to try, or kNone when none waits.
  std::int32_t Pop() {
    for (;;) {
      while (lowest_ < buckets_.size() && buckets_[lowest_].empty())
        ++lowest_;
      if (lowest_ == buckets_.size()) return DecimationMesh::kNone;
      const std::int32_t v = buckets_[lowest_].back();
      buckets_[lowest_].pop_back();
      if (BucketOf(v) == lowest_) {
        waiting_[static_cast<std::size_t>(v)] = 0;
        return v;
      }
      File(v);
    }
  }

 private:
  std::size_t BucketOf(std::int32_t v) const {
    return std::min(static_cast<std::size_t>(mesh_.Degree(v)), buckets_.size() - 1);
  }
  void File(std::int32_t v) {
    const std::size_t bucket = BucketOf(v);
    buckets_[bucket].push_back(v);
    lowest_ = std::min(lowest_, bucket);
  }

  const DecimationMesh& mesh_;
  std::vector<std::uint8_t> waiting_;
  std::array<std::vector<std::int32_t>, 32> buckets_;  // the last for 31 triangles or more
  std::size_t lowest_ = 0;
};

}  // namespace

// A vertex that could not go waits aside until the queue is empty, and is tried again then
// only if a neighbour went meanwhile: trying it each time a neighbour goes would try most
// of the vertices that stay many times over.
void Decimate(DecimationMesh& mesh, std::span<const std::int32_t> seeds, double bound) {
  VertexRemoval removal(mesh);
  DegreeQueue queue(mesh);
  enum : std::uint8_t { kFree, kAside, kChangedAside };
  std::vector<std::uint8_t> state(static_cast<std::size_t>(mesh.VertexCount()), kFree);
  std::vector<std::int32_t> aside;
  for (const std::int32_t v : seeds)
    queue.Push(v);
  while (true) {
    for (std::int32_t v = queue.Pop(); v != DecimationMesh::kNone; v = queue.Pop()) {
      if (!removal.TryRemove(v, bound)) {
        state[static_cast<std::size_t>(v)] = kAside;
        aside.push_back(v);
        continue;
      }
      for (const std::int32_t neighbour : removal.Neighbours()) {
        std::uint8_t& waits = state[static_cast<std::size_t>(neighbour)];
        if (waits == kFree) {
          queue.Push(neighbour);
        } else {
          waits = kChangedAside;
        }
      }
    }
    const auto unchanged = std::partition(aside.begin(), aside.end(), [&](std::int32_t v) {
      return state[static_cast<std::size_t>(v)] == kChangedAside;
    });
    if (unchanged == aside.begin()) return;
    for (auto v = aside.begin(); v != unchanged; ++v) {
      state[static_cast<std::size_t>(*v)] = kFree;
      queue.Push(*v);
    }
    aside.erase(aside.begin(), unchanged);
  }
}

void DecimateAll(DecimationMesh& mesh, double bound) {
  std::vector<std::int32_t> seeds;
  for (std::int32_t v = 0; v < mesh.VertexCount(); ++v) {
    if (!mesh.Fixed(v) && !mesh.Removed(v)) seeds.push_back(v);
  }
  Decimate(mesh, seeds, bound);
}

}  // namespace orvandel
