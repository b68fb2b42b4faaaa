#include "orvandel/writers/write_3df.h"

#include "orvandel/fileio/format_3df.h"
#include "orvandel/fileio/little_endian.h"

namespace orvandel {
namespace {

// z is 2.5 x the cell height, rounded to a float.
constexpr float kHeightFactor = 2.5f;

void AppendI32(ByteSink& sink, std::int32_t value) {
  sink.Advance(PutI32(sink.Claim(4), value));
}

void WriteTriangle(const Triangle& t, int height_class, ByteSink& out) {
  char* at = out.Claim(16);
  at = PutI32(at, t.a);
  at = PutI32(at, t.b);
  at = PutI32(at, t.c);
  out.Advance(PutI32(at, height_class));
}

}  // namespace

void Write3dfMesh(MeshSource& source, ByteSink& out) {
  GridLayout& grid = source.grid;
  grid.TriangleCount = TriangleCountOf(grid);
  out.Append(format3df::kHeader, format3df::kHeaderBytes);
  AppendI32(out, grid.VertexCount);
  const std::vector<float> heights = SampleVertices(source, [&](std::int32_t, const Vector3& v) {
    char* at = out.Claim(12);
    at = PutF32(at, v.x);
    at = PutF32(at, v.y);
    out.Advance(PutF32(at, kHeightFactor * v.z));
  });
  AppendI32(out, grid.TriangleCount);
  ForEachTriangle(grid, [&](const Triangle& t) {
    WriteTriangle(t, TriangleClass(t, heights, source.prep), out);
  });
}

void Write3dfFile(const WriteRequest& request) {
  RunMeshWrite(request, Write3dfMesh);
}

}  // namespace orvandel
