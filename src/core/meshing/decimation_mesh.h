#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "meshing/lattice.h"
#include "orvandel/meshing/height_grid.h"

namespace orvandel {

// A triangulation of grid vertices with the neighbours of its triangles, from which
// vertices are removed one by one. Triangles turn as the grid's own do (see Cross); edge e
// of a triangle runs from its corner e to corner e + 1.
class DecimationMesh {
 public:
  using Corners = std::array<std::int32_t, 3>;
  static constexpr std::int32_t kNone = -1;

  // One triangle around a vertex v: v is its corner number corner, p and q follow it in
  // its turning order.
  struct Spoke {
    std::int32_t triangle = kNone;
    int corner = 0;
    std::int32_t p = kNone;
    std::int32_t q = kNone;
  };

  // The grid must outlive the mesh.
  explicit DecimationMesh(const HeightGrid& grid) : grid_(grid) {}

  const HeightGrid& Grid() const { return grid_; }

  // Empties the mesh, keeping its memory for the next, with room for as many vertices and
  // triangles.
  void Clear(std::size_t vertices, std::size_t triangles);
  // A vertex that no removal may take when fixed; returns its number.
  std::int32_t AddVertex(LatticePoint at, bool fixed);
  std::int32_t AddTriangle(const Corners& corners, std::uint8_t triangle_class);
  // Finds every triangle's neighbours once all are added, which must form a triangulation.
  void LinkTriangles();

  std::int32_t VertexCount() const { return static_cast<std::int32_t>(at_.size()); }
  // Triangles added, removed ones included.
  std::int32_t TriangleSlots() const { return static_cast<std::int32_t>(corners_.size()); }
  LatticePoint At(std::int32_t v) const { return at_[Index(v)]; }
  float Z(std::int32_t v) const { return grid_.Z(At(v).c, At(v).r); }
  HeightPoint Height(std::int32_t v) const { return {At(v), Z(v)}; }
  bool Fixed(std::int32_t v) const { return fixed_[Index(v)] != 0; }
  bool Removed(std::int32_t v) const { return one_triangle_[Index(v)] == kNone; }
  // The triangles at v.
  std::int32_t Degree(std::int32_t v) const { return degree_[Index(v)]; }
  bool Live(std::int32_t t) const { return corners_[Index(t)][0] != kNone; }
  const Corners& CornersOf(std::int32_t t) const { return corners_[Index(t)]; }
  std::uint8_t ClassOf(std::int32_t t) const { return classes_[Index(t)]; }

  // The triangles around v in turning order; around a vertex on the mesh's edge they run
  // from one edge to the other. Fills spokes and returns whether they close around v.
  bool SpokesOf(std::int32_t v, std::vector<Spoke>& spokes) const;

  // Removes v by moving it onto u, one of its neighbours: the two triangles (one on the
  // mesh's edge) along the edge v-u go, the others take u for v. The caller has checked
  // that these keep turning the grid's way.
  void Collapse(std::int32_t v, std::int32_t u, const std::vector<Spoke>& spokes);

 private:
  static std::size_t Index(std::int32_t k) { return static_cast<std::size_t>(k); }
  static int CornerOf(const Corners& corners, std::int32_t v) {
    return corners[0] == v ? 0 : corners[1] == v ? 1 : 2;
  }
  Spoke SpokeAt(std::int32_t t, int k) const;
  // Makes two edges, each given as 3 x triangle + edge (or kNone), each other's twin.
  void Join(std::int32_t a, std::int32_t b);
  void RemoveTriangle(const Spoke& spoke, std::int32_t u);

  const HeightGrid& grid_;
  std::vector<LatticePoint> at_;
  std::vector<std::int32_t> one_triangle_;  // a triangle at each vertex; kNone once removed
  std::vector<std::int32_t> degree_;
  std::vector<std::uint8_t> fixed_;
  std::vector<Corners> corners_;  // kNone first once removed
  // The twin of each edge, 3 x triangle + edge, in the triangle across; kNone at the
  // mesh's edge.
  std::vector<Corners> across_;
  std::vector<std::uint8_t> classes_;
};

}  // namespace orvandel
