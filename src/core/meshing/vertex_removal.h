#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"

namespace orvandel {

// Removes single vertices from a mesh while its surface stays within a height bound of the
// grid at every grid vertex, and every triangle within one class.
//
// A vertex goes by moving onto one of its neighbours, which takes over its triangles. Where
// the triangles around it have more than one class, or it lies on the mesh's edge, it may
// only move along that straight border onto the border's next vertex, so that the border
// stays where it was. The new triangles are measured against the grid only where they lie
// on old triangles of another plane: elsewhere the surface does not change.
class VertexRemoval {
 public:
  explicit VertexRemoval(DecimationMesh& mesh) : mesh_(mesh) {}

  // Removes v if one of its neighbours, those with fewest triangles first, can take it
  // with every grid vertex around it staying within bound of the mesh's surface. Returns
  // whether v went; its former neighbours are then Neighbours().
  bool TryRemove(std::int32_t v, double bound);
  const std::vector<std::int32_t>& Neighbours() const { return neighbours_; }

 private:
  using Spoke = DecimationMesh::Spoke;

  // A triangle around the vertex: its corners, its extent and its group of triangles in
  // one plane.
  struct Around {
    HeightTriangle corners;
    LatticeBox box;
    std::size_t group = 0;
  };

  // The neighbours v may move onto, fewest triangles first; none where the borders through
  // v do not allow it.
  void FindCandidates(std::int32_t v, bool closed);
  void SortByDegree();
  // Whether v and its neighbours all have one height.
  bool Level(std::int32_t v) const;
  // Whether moving v onto u leaves every triangle turning the grid's way.
  bool KeepsTurning(std::int32_t u) const;
  // Whether moving v onto u keeps the mesh whole and its surface within bound of the grid.
  bool StaysWithin(std::int32_t v, std::int32_t u, double bound);
  // The distance between v's height and the surface at v once v has moved onto u.
  double ErrorAtCentre(std::int32_t v, std::int32_t u) const;
  // Sorts the triangles around v into groups by their plane.
  void GroupPlanes(std::int32_t v);
  // Whether every grid vertex that the triangles made by moving onto u cover, where they
  // lie on old triangles of another plane, stays within bound of their surface.
  bool NewTrianglesWithin(std::int32_t u, double bound);
  // The same for one new triangle.
  bool TriangleWithin(const HeightTriangle& corners, double bound);

  DecimationMesh& mesh_;
  std::vector<Spoke> spokes_;
  std::vector<std::int32_t> candidates_;
  std::vector<std::int32_t> borders_;
  std::vector<std::int32_t> neighbours_;
  std::vector<Around> around_;          // empty until GroupPlanes
  std::vector<HeightTriangle> planes_;  // each group by its first triangle
  std::vector<std::uint8_t> same_plane_;
  std::vector<const Around*> meeting_;
};

}  // namespace orvandel
