#include "orvandel/meshing/simplify_terrain.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "fileio/parallel_parts.h"
#include "meshing/decimate.h"
#include "meshing/grid_tiles.h"
#include "meshing/mesh_pieces.h"
#include "meshing/seam_band.h"

namespace orvandel {
namespace {

// Tiles of this many squares a side keep each tile's mesh small, give every thread work,
// and cost few vertices where they meet.
constexpr std::int32_t kTileSize = 256;

// The bounds of the removal passes: first everything that goes without loss, then what
// goes within max_error, so that lossless removals are not spoilt by lossy ones before them.
//
// A removal is measured against a bound a little below the promised one: the same surface
// found from other corners, or a plane taken for another within a rounding, gives heights
// that differ in the last bits, far less than 2^-32 of the largest height.
std::vector<double> PassBounds(double max_error, double largest) {
  const double tolerance = std::ldexp(largest, -21);
  const double margin = std::ldexp(largest, -32);
  if (max_error <= tolerance) return {tolerance - margin};
  return {tolerance - margin, max_error - margin};
}

double LargestHeight(const HeightGrid& grid) {
  double largest = 0;
  for (const float z : grid.z)
    largest = std::max(largest, std::abs(double{z}));
  return largest;
}

// Each tile on its own, on the threads, the vertices on the lines between tiles fixed.
std::vector<MeshPiece> SimplifyTiles(const HeightGrid& grid, const GridTiles& tiles,
                                     const std::vector<double>& bounds, ThreadCount threads) {
  std::vector<MeshPiece> pieces(static_cast<std::size_t>(tiles.Count()));
  std::atomic<std::int32_t> next{0};
  RunParts(PartsFor(pieces.size(), threads), [&](unsigned) {
    DecimationMesh mesh(grid);
    for (std::int32_t k = next++; k < tiles.Count(); k = next++) {
      tiles.Mesh(k, mesh);
      for (const double bound : bounds)
        DecimateAll(mesh, bound);
      pieces[static_cast<std::size_t>(k)] = PieceOf(mesh);
    }
  });
  return pieces;
}

// The vertices on the lines between tiles, fixed so far, tried once more with the
// triangles at them joined.
std::vector<MeshPiece> SimplifySeams(const HeightGrid& grid, const GridTiles& tiles,
                                     const std::vector<MeshPiece>& tile_pieces,
                                     const std::vector<double>& bounds) {
  SeamBand band = GatherSeamBand(grid, tiles, tile_pieces);
  for (const double bound : bounds)
    Decimate(band.mesh, band.lines, bound);
  std::vector<MeshPiece> pieces;
  pieces.push_back(std::move(band.rest));
  pieces.push_back(PieceOf(band.mesh));
  return pieces;
}

// The kept vertices on the side of the grid where on_side(column, row) holds, in the order
// of their numbers, or backwards.
template <typename OnSide>
void AddSide(const HeightGrid& grid, OnSide&& on_side, bool backwards, SimplifiedTerrain& mesh) {
  const std::size_t first = mesh.boundary.size();
  for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
    const std::int32_t n = mesh.vertices[i];
    if (on_side(n % grid.columns, n / grid.columns))
      mesh.boundary.push_back(static_cast<std::int32_t>(i));
  }
  if (backwards)
    std::reverse(mesh.boundary.begin() + static_cast<std::ptrdiff_t>(first), mesh.boundary.end());
}

void FindBoundary(const HeightGrid& grid, SimplifiedTerrain& mesh) {
  const std::int32_t right = grid.columns - 1;
  const std::int32_t bottom = grid.rows - 1;
  AddSide(
      grid, [&](std::int32_t c, std::int32_t r) { return c == 0 && r < bottom; }, false, mesh);
  AddSide(
      grid, [&](std::int32_t c, std::int32_t r) { return r == bottom && c < right; }, false, mesh);
  AddSide(
      grid, [&](std::int32_t c, std::int32_t r) { return c == right && r > 0; }, true, mesh);
  AddSide(
      grid, [&](std::int32_t c, std::int32_t r) { return r == 0 && c > 0; }, true, mesh);
}

}  // namespace

double HeightTolerance(const HeightGrid& grid) {
  return std::ldexp(LargestHeight(grid), -21);
}

SimplifiedTerrain SimplifyTerrain(const HeightGrid& grid, double max_error, ThreadCount threads) {
  if (grid.columns < 2 || grid.rows < 2) return {};
  const std::vector<double> bounds = PassBounds(max_error, LargestHeight(grid));
  const GridTiles tiles(grid, kTileSize);
  const std::vector<MeshPiece> tile_pieces = SimplifyTiles(grid, tiles, bounds, threads);
  SimplifiedTerrain mesh = JoinPieces(grid, SimplifySeams(grid, tiles, tile_pieces, bounds));
  FindBoundary(grid, mesh);
  return mesh;
}

}  // namespace orvandel
