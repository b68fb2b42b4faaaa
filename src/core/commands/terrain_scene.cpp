#include "commands/terrain_scene.h"

#include "fileio/parallel_parts.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/generator/triangulation.h"
#include "writers/square_classes.h"

namespace orvandel {
namespace {

void PlaceVertices(const MeshSource& source, const std::vector<float>& heights, PartRange rows,
                   std::vector<Vector3>& vertices) {
  const auto columns = static_cast<std::size_t>(source.grid.Columns);
  for (std::size_t r = rows.begin; r < rows.end; ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::size_t n = r * columns + c;
      vertices[n] = {source.sampler.ColumnX(static_cast<int>(c)),
                     source.sampler.RowY(static_cast<int>(r)),
                     format3df::kHeightFactor * heights[n]};
    }
  }
}

SceneFace FaceOf(const Triangle& t, std::int32_t height_class) {
  return {static_cast<std::uint32_t>(t.a), static_cast<std::uint32_t>(t.b),
          static_cast<std::uint32_t>(t.c), height_class};
}

void MakeFaces(const MeshSource& source, const std::vector<float>& heights, PartRange rows,
               std::vector<SceneFace>& faces) {
  const std::int32_t columns = source.grid.Columns;
  ForEachSquareRowClasses(
      heights, source.grid, source.prep, rows,
      [&](std::size_t r, const std::int32_t* first, const std::int32_t* second) {
        const auto row_start = static_cast<std::int32_t>(r) * columns;
        SceneFace* at = &faces[2 * r * static_cast<std::size_t>(columns - 1)];
        for (std::int32_t c = 0; c + 1 < columns; ++c) {
          const auto triangles = SquareTriangles(row_start + c, columns);
          *at++ = FaceOf(triangles[0], first[c]);
          *at++ = FaceOf(triangles[1], second[c]);
        }
      });
}

}  // namespace

// Each thread takes a band of rows of cells and the band of rows of squares below them.
IndexedScene TerrainScene(const MeshSource& source) {
  const std::vector<float> heights = FiniteHeightsInVertexOrder(source, format3df::kHeightFactor);
  IndexedScene scene;
  scene.vertices.resize(heights.size());
  scene.faces.resize(static_cast<std::size_t>(TriangleCountOf(source.grid)));
  const auto rows = static_cast<std::size_t>(source.grid.Rows);
  const unsigned parts = PartsFor(rows, source.threads);
  RunParts(parts, [&](unsigned part) {
    PlaceVertices(source, heights, PartOf(rows, parts, part), scene.vertices);
    MakeFaces(source, heights, PartOf(SquareRowCount(source.grid), parts, part), scene.faces);
  });
  return scene;
}

}  // namespace orvandel
