#include "meshing/decimation_mesh.h"

#include <algorithm>

namespace orvandel {

void DecimationMesh::Clear(std::size_t vertices, std::size_t triangles) {
  for (auto* list : {&one_triangle_, &degree_}) {
    list->clear();
    list->reserve(vertices);
  }
  at_.clear();
  at_.reserve(vertices);
  fixed_.clear();
  fixed_.reserve(vertices);
  for (auto* list : {&corners_, &across_}) {
    list->clear();
    list->reserve(triangles);
  }
  classes_.clear();
  classes_.reserve(triangles);
}

std::int32_t DecimationMesh::AddVertex(LatticePoint at, bool fixed) {
  at_.push_back(at);
  one_triangle_.push_back(kNone);
  fixed_.push_back(fixed ? 1 : 0);
  degree_.push_back(0);
  return VertexCount() - 1;
}

std::int32_t DecimationMesh::AddTriangle(const Corners& corners, std::uint8_t triangle_class) {
  const auto t = TriangleSlots();
  corners_.push_back(corners);
  across_.push_back({kNone, kNone, kNone});
  classes_.push_back(triangle_class);
  for (const std::int32_t v : corners) {
    one_triangle_[Index(v)] = t;
    ++degree_[Index(v)];
  }
  return t;
}

namespace {

// The triangles at every vertex: those of vertex v are triangles[start[v]] up to
// triangles[start[v + 1]].
struct TrianglesAt {
  std::vector<std::int32_t> start;
  std::vector<std::int32_t> triangles;
};

TrianglesAt FindTrianglesAt(const DecimationMesh& mesh) {
  TrianglesAt at;
  at.start.assign(static_cast<std::size_t>(mesh.VertexCount()) + 1, 0);
  for (std::int32_t t = 0; t < mesh.TriangleSlots(); ++t) {
    for (const std::int32_t v : mesh.CornersOf(t))
      ++at.start[static_cast<std::size_t>(v) + 1];
  }
  for (std::size_t v = 1; v < at.start.size(); ++v)
    at.start[v] += at.start[v - 1];
  at.triangles.resize(static_cast<std::size_t>(at.start.back()));
  std::vector<std::int32_t> next(at.start.begin(), at.start.end() - 1);
  for (std::int32_t t = 0; t < mesh.TriangleSlots(); ++t) {
    for (const std::int32_t v : mesh.CornersOf(t))
      at.triangles[static_cast<std::size_t>(next[static_cast<std::size_t>(v)]++)] = t;
  }
  return at;
}

}  // namespace

// Edge a-b of a triangle meets the triangle at b that has the edge b-a; both learn it when
// the first of them is met.
void DecimationMesh::LinkTriangles() {
  const TrianglesAt at = FindTrianglesAt(*this);
  for (std::int32_t t = 0; t < TriangleSlots(); ++t) {
    const Corners& corners = CornersOf(t);
    for (int e = 0; e < 3; ++e) {
      const std::int32_t a = corners[Index(e)];
      const std::int32_t b = corners[Index((e + 1) % 3)];
      if (a > b) continue;
      for (std::int32_t k = at.start[Index(b)]; k < at.start[Index(b) + 1]; ++k) {
        const std::int32_t other = at.triangles[Index(k)];
        const int f = CornerOf(CornersOf(other), b);
        if (CornersOf(other)[Index((f + 1) % 3)] != a) continue;
        SetAcross(t, e, other);
        SetAcross(other, f, t);
        break;
      }
    }
  }
}

DecimationMesh::Spoke DecimationMesh::SpokeAt(std::int32_t t, std::int32_t v) const {
  const Corners& corners = CornersOf(t);
  const int k = CornerOf(corners, v);
  return {t, corners[Index((k + 1) % 3)], corners[Index((k + 2) % 3)]};
}

// Onwards from one triangle at v; where that reaches the mesh's edge, the triangles before
// it are put in front.
bool DecimationMesh::SpokesOf(std::int32_t v, std::vector<Spoke>& spokes) const {
  spokes.clear();
  const std::int32_t first = one_triangle_[Index(v)];
  for (std::int32_t t = first;;) {
    spokes.push_back(SpokeAt(t, v));
    t = across_[Index(t)][Index(CornerOf(CornersOf(t), v))];
    if (t == first) return true;
    if (t == kNone) break;
  }
  const std::size_t onwards = spokes.size();
  for (std::int32_t t = first;;) {
    t = across_[Index(t)][Index((CornerOf(CornersOf(t), v) + 2) % 3)];
    if (t == kNone) break;
    spokes.push_back(SpokeAt(t, v));
  }
  std::reverse(spokes.begin() + static_cast<std::ptrdiff_t>(onwards), spokes.end());
  std::rotate(spokes.begin(), spokes.begin() + static_cast<std::ptrdiff_t>(onwards), spokes.end());
  return false;
}

int DecimationMesh::EdgeOf(const Corners& corners, std::int32_t a, std::int32_t b) {
  for (int e = 0; e < 3; ++e) {
    const std::int32_t from = corners[Index(e)];
    const std::int32_t to = corners[Index((e + 1) % 3)];
    if ((from == a && to == b) || (from == b && to == a)) return e;
  }
  return kNone;
}

void DecimationMesh::SetAcrossEdge(std::int32_t t, std::int32_t a, std::int32_t b,
                                   std::int32_t other) {
  if (t != kNone) SetAcross(t, EdgeOf(CornersOf(t), a, b), other);
}

// The triangles across the two edges that stay, (u, x) and (x, v), become neighbours: once
// v has moved onto u, they share the edge (u, x).
void DecimationMesh::RemoveTriangle(std::int32_t t, std::int32_t v, std::int32_t u) {
  const Corners& corners = CornersOf(t);
  const std::int32_t x = corners[0] != v && corners[0] != u   ? corners[0]
                         : corners[1] != v && corners[1] != u ? corners[1]
                                                              : corners[2];
  const std::int32_t ux = across_[Index(t)][Index(EdgeOf(corners, u, x))];
  const std::int32_t xv = across_[Index(t)][Index(EdgeOf(corners, x, v))];
  SetAcrossEdge(ux, u, x, xv);
  SetAcrossEdge(xv, x, v, ux);
  one_triangle_[Index(x)] = xv != kNone ? xv : ux;
  --degree_[Index(x)];
  --degree_[Index(u)];
  corners_[Index(t)][0] = kNone;
}

void DecimationMesh::Collapse(std::int32_t v, std::int32_t u, const std::vector<Spoke>& spokes) {
  for (const Spoke& spoke : spokes) {
    if (spoke.p == u || spoke.q == u) RemoveTriangle(spoke.triangle, v, u);
  }
  for (const Spoke& spoke : spokes) {
    if (spoke.p == u || spoke.q == u) continue;
    Corners& corners = corners_[Index(spoke.triangle)];
    corners[Index(CornerOf(corners, v))] = u;
    one_triangle_[Index(u)] = spoke.triangle;
    ++degree_[Index(u)];
  }
  one_triangle_[Index(v)] = kNone;
}

}  // namespace orvandel
