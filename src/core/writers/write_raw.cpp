#include "orvandel/writers/write_raw.h"

#include "orvandel/generator/triangulation.h"
#include "writers/text_line.h"

namespace orvandel {
namespace {

TextLine& Corner(TextLine& line, const Vector3& p) {
  return line.Fixed(p.x).Text(" ").Fixed(p.y).Text(" ").Fixed(kTextHeightFactor * p.z);
}

void WriteTriangleLine(const Vector3& p1, const Vector3& p2, const Vector3& p3, ByteSink& out) {
  TextLine line(out);
  Corner(line, p1).Text(" ");
  Corner(line, p2).Text(" ");
  Corner(line, p3);
}

}  // namespace

void WriteRawMesh(MeshSource& source, ByteSink& out) {
  const std::int32_t columns = source.grid.Columns;
  auto sample = [&](std::int32_t n) { return source.sampler.SampleCell(n % columns, n / columns); };
  ForEachSquare(source.grid, [&](std::int32_t n) {
    const Vector3 p1 = sample(n);
    const Vector3 p2 = sample(n + 1);
    const Vector3 p3 = sample(n + columns + 1);
    const Vector3 p4 = sample(n + columns);
    WriteTriangleLine(p1, p2, p3, out);
    WriteTriangleLine(p1, p3, p4, out);
  });
}

void WriteRawFile(const WriteRequest& request) {
  RunMeshWrite(request, WriteRawMesh);
}

}  // namespace orvandel
