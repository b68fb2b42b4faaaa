#include "meshing/decimation_mesh.h"

#include <algorithm>

namespace orvandel {

void DecimationMesh::Clear(std::size_t vertices, std::size_t triangles) {
  vertices_.clear();
  vertices_.reserve(vertices);
  triangles_.clear();
  triangles_.reserve(triangles);
}

std::int32_t DecimationMesh::AddVertex(LatticePoint at, bool fixed) {
  vertices_.push_back({at, grid_.Z(at.c, at.r), kNone, 0, fixed});
  return VertexCount() - 1;
}

std::int32_t DecimationMesh::AddTriangle(const Corners& corners, std::uint8_t triangle_class) {
  const auto t = TriangleSlots();
  triangles_.push_back({corners, {kNone, kNone, kNone}, triangle_class});
  for (const std::int32_t v : corners) {
    vertices_[Index(v)].one_triangle = t;
    ++vertices_[Index(v)].degree;
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
        Join(3 * t + e, 3 * other + f);
        break;
      }
    }
  }
}

DecimationMesh::Spoke DecimationMesh::SpokeAt(std::int32_t t, int k) const {
  const Corners& corners = CornersOf(t);
  return {t, k, corners[Index((k + 1) % 3)], corners[Index((k + 2) % 3)]};
}

// Onwards from one triangle at v; where that reaches the mesh's edge, the triangles before
// it are put in front. The edge across from edge k (v to p) runs from p to v, so v is the
// corner after it; the edge across from edge k + 2 (q to v) starts at v.
bool DecimationMesh::SpokesOf(std::int32_t v, std::vector<Spoke>& spokes) const {
  spokes.clear();
  const std::int32_t first = vertices_[Index(v)].one_triangle;
  const int first_corner = CornerOf(CornersOf(first), v);
  for (std::int32_t t = first, k = first_corner;;) {
    spokes.push_back(SpokeAt(t, k));
    const std::int32_t twin = triangles_[Index(t)].across[Index(k)];
    if (twin == kNone) break;
    t = twin / 3;
    k = (twin % 3 + 1) % 3;
    if (t == first) return true;
  }
  const std::size_t onwards = spokes.size();
  for (std::int32_t t = first, k = first_corner;;) {
    const std::int32_t twin = triangles_[Index(t)].across[Index((k + 2) % 3)];
    if (twin == kNone) break;
    t = twin / 3;
    k = twin % 3;
    spokes.push_back(SpokeAt(t, k));
  }
  std::reverse(spokes.begin() + static_cast<std::ptrdiff_t>(onwards), spokes.end());
  std::rotate(spokes.begin(), spokes.begin() + static_cast<std::ptrdiff_t>(onwards), spokes.end());
  return false;
}

void DecimationMesh::Join(std::int32_t a, std::int32_t b) {
  if (a != kNone) triangles_[Index(a / 3)].across[Index(a % 3)] = b;
  if (b != kNone) triangles_[Index(b / 3)].across[Index(b % 3)] = a;
}

// The triangle's corners are v, p and q, one of p and q being u and the other x. The
// triangles across its two edges that stay, the one at u and the one at v, become
// neighbours: once v has moved onto u, they share the edge between u and x.
void DecimationMesh::RemoveTriangle(const Spoke& spoke, std::int32_t u) {
  const Corners& across = triangles_[Index(spoke.triangle)].across;
  const int k = spoke.corner;
  const std::int32_t at_u = across[Index((k + 1) % 3)];
  const std::int32_t at_v = across[Index(spoke.p == u ? (k + 2) % 3 : k)];
  Join(at_u, at_v);
  const std::int32_t x = spoke.p == u ? spoke.q : spoke.p;
  vertices_[Index(x)].one_triangle = (at_v != kNone ? at_v : at_u) / 3;
  --vertices_[Index(x)].degree;
  --vertices_[Index(u)].degree;
  triangles_[Index(spoke.triangle)].corners[0] = kNone;
}

void DecimationMesh::Collapse(std::int32_t v, std::int32_t u, const std::vector<Spoke>& spokes) {
  for (const Spoke& spoke : spokes) {
    if (spoke.p == u || spoke.q == u) RemoveTriangle(spoke, u);
  }
  for (const Spoke& spoke : spokes) {
    if (spoke.p == u || spoke.q == u) continue;
    triangles_[Index(spoke.triangle)].corners[Index(spoke.corner)] = u;
    vertices_[Index(u)].one_triangle = spoke.triangle;
    ++vertices_[Index(u)].degree;
  }
  vertices_[Index(v)].one_triangle = kNone;
}

}  // namespace orvandel
