#pragma once

#include <cstdint>
#include <vector>

#include "meshing/decimation_mesh.h"
#include "meshing/grid_tiles.h"
#include "meshing/mesh_pieces.h"

namespace orvandel {

// The triangles near the lines between tiles, at their vertices and at those vertices'
// neighbours, gathered from the tiles' meshes into one mesh so that the vertices on the
// lines can be tried once more, and the triangles that stay as the tiles made them.
struct SeamBand {
  explicit SeamBand(const HeightGrid& grid) : mesh(grid) {}

  // A vertex of it is fixed when a triangle of the rest has it: only those whose triangles
  // are all in the mesh may go.
  DecimationMesh mesh;
  // The mesh's vertices on the lines.
  std::vector<std::int32_t> lines;
  MeshPiece rest;
};

// The pieces are the tiles' meshes.
SeamBand GatherSeamBand(const HeightGrid& grid, const GridTiles& tiles,
                        const std::vector<MeshPiece>& pieces);

}  // namespace orvandel
