#include "fileio/little_endian.h"
#include "fileio/ordered_bands.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/records.h"
#include "writers/square_classes.h"
#include "writers/vertex_range.h"

namespace orvandel {
namespace {

using format3df::kHeightFactor;
using format3df::kTriangleBytes;
using format3df::kVertexBytes;

constexpr std::size_t kSquareBytes = 2 * kTriangleBytes;

void AppendI32(ByteSink& sink, std::int32_t value) {
  sink.Advance(PutI32(sink.Claim(4), value));
}

void WriteVertices(const MeshSource& source, const std::vector<float>& heights, PartRange range,
                   ByteSink& out) {
  const auto columns = static_cast<std::size_t>(source.grid.Columns);
  const std::size_t records = ByteSink::kMaxClaim / kVertexBytes;
  for (std::size_t begin = range.begin; begin < range.end; begin += records) {
    const PartRange claimed{begin, std::min(begin + records, range.end)};
    char* at = out.Claim((claimed.end - claimed.begin) * kVertexBytes);
    ForEachVertexIn(claimed, columns, [&](std::size_t n, std::size_t c, std::size_t r) {
      at = PutF32(at, source.sampler.ColumnX(static_cast<int>(c)));
      at = PutF32(at, source.sampler.RowY(static_cast<int>(r)));
      at = PutF32(at, kHeightFactor * heights[n]);
    });
    out.Advance(at);
  }
}

char* PutTriangle(char* at, std::int32_t a, std::int32_t b, std::int32_t c,
                  std::int32_t height_class) {
  at = PutI32(at, a);
  at = PutI32(at, b);
  at = PutI32(at, c);
  return PutI32(at, height_class);
}

void WriteSquares(const MeshSource& source, const std::vector<float>& heights, PartRange rows,
                  ByteSink& out) {
  const std::int32_t columns = source.grid.Columns;
  ForEachSquareRowClasses(
      heights, source.grid, source.prep, rows,
      [&](std::size_t r, const std::int32_t* first, const std::int32_t* second) {
        const auto row_start = static_cast<std::int32_t>(r) * columns;
        WriteRecords<kSquareBytes>(
            static_cast<std::size_t>(columns - 1), out, [&](std::size_t c, char* at) {
              const std::int32_t n = row_start + static_cast<std::int32_t>(c);
              at = PutTriangle(at, n, n + 1, n + columns + 1, first[c]);
              PutTriangle(at, n, n + columns + 1, n + columns, second[c]);
            });
      });
}

}  // namespace

// The program's own binary mesh: the header bytes 03 33 44, the vertex count, one record
// (x, y, 2.5 x height) per cell in vertex order, the triangle count, and one record
// (three vertex numbers, height class) per triangle.
void Write3dfMesh(const MeshSource& source, ByteSink& out) {
  const GridLayout& grid = source.grid;
  // 2.5 x a height near the top of the float range leaves it.
  const std::vector<float> heights = FiniteHeightsInVertexOrder(source, kHeightFactor);
  out.Append(format3df::kHeader, format3df::kHeaderBytes);
  AppendI32(out, grid.VertexCount);
  WriteBandsInOrder(
      heights.size(), kVertexBytes, source.threads,
      [&](PartRange range, ByteSink& sink) { WriteVertices(source, heights, range, sink); }, out);
  AppendI32(out, grid.TriangleCount);
  WriteBandsInOrder(
      SquareRowCount(grid), kSquareBytes * static_cast<std::size_t>(grid.Columns), source.threads,
      [&](PartRange rows, ByteSink& sink) { WriteSquares(source, heights, rows, sink); }, out);
}

}  // namespace orvandel
