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

  std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices_.size()); }
  // Triangles added, removed ones included.
  std::int32_t TriangleSlots() const { return static_cast<std::int32_t>(triangles_.size()); }
  LatticePoint At(std::int32_t v) const { return vertices_[Index(v)].at; }
  float Z(std::int32_t v) const { return vertices_[Index(v)].z; }
  HeightPoint Height(std::int32_t v) const { return {At(v), Z(v)}; }
  bool Fixed(std::int32_t v) const { return vertices_[Index(v)].fixed; }
  bool Removed(std::int32_t v) const { return vertices_[Index(v)].one_triangle == kNone; }
  // The triangles at v.
  std::int32_t Degree(std::int32_t v) const { return vertices_[Index(v)].degree; }
  bool Live(std::int32_t t) const { return triangles_[Index(t)].corners[0] != kNone; }
  const Corners& CornersOf(std::int32_t t) const { return triangles_[Index(t)].corners; }
  std::uint8_t ClassOf(std::int32_t t) const { return triangles_[Index(t)].triangle_class; }

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

  // What a removal reads of a vertex, together, and its height beside it so that the grid
  // is read only where the surface is measured.
  struct Vertex {
    LatticePoint at;
    float z = 0;
    std::int32_t one_triangle = kNone;  // a triangle at the vertex; kNone once removed
    std::int32_t degree = 0;
    bool fixed = false;
  };
  struct TriangleSlot {
    Corners corners;  // kNone first once removed
    // The twin of each edge, 3 x triangle + edge, in the triangle across; kNone at the
    // mesh's edge.
    Corners across;
    std::uint8_t triangle_class = 0;
  };

  const HeightGrid& grid_;
  std::vector<Vertex> vertices_;
  std::vector<TriangleSlot> triangles_;
};

}  // namespace orvandel
