#include "orvandel/writers/write_plg.h"

#include <cmath>
#include <limits>

#include "orvandel/fileio/file_names.h"
#include "orvandel/fileio/format_3df.h"
#include "writers/text_line.h"

namespace orvandel {
namespace {

constexpr double kCoordinateFactor = 5000.0;
// Longer names cannot stand in a file system; the limit keeps a header line within bounds.
constexpr std::size_t kMaxObjectName = 1024;

// R(5000 x value): formed exactly (a float times 5000 fits a double), rounded with halves
// to the even neighbour. Values too large for an integer are held at its limits.
std::int64_t Scaled(float value) {
  constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::rint(kCoordinateFactor * value);
  if (std::isnan(rounded)) return 0;
  if (rounded > kLimit) return std::numeric_limits<std::int32_t>::max();
  if (rounded < -kLimit) return -std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int64_t>(rounded);
}

void WriteVertex(const Vector3& v, ByteSink& out) {
  TextLine(out)
      .Integer(-Scaled(v.x))
      .Text(" ")
      .Integer(3 * Scaled(v.z))
      .Text(" ")
      .Integer(Scaled(v.y));
}

void WritePolygon(const Triangle& t, int height_class, ByteSink& out) {
  TextLine(out)
      .Text(PlgColourCode(height_class))
      .Text(" 3 ")
      .Integer(t.a)
      .Text(" ")
      .Integer(t.b)
      .Text(" ")
      .Integer(t.c);
}

}  // namespace

std::string_view PlgColourCode(int height_class) {
  switch (height_class) {
    case kWaterClass:
      return "0x2bff";
    case kLawnClass:
      return "0x18e0";
    case kRockClass:
      return "0x12e0";
    default:
      return "0x1ffa";
  }
}

std::string PlgObjectName(std::string_view output_file_name) {
  const std::string name = FileNamePart(output_file_name);
  return name.substr(0, std::min(name.find('.'), kMaxObjectName));
}

void WritePlgMesh(MeshSource& source, ByteSink& out) {
  GridLayout& grid = source.grid;
  grid.TriangleCount = TriangleCountOf(grid);
  TextLine(out)
      .Text(PlgObjectName(source.output_file_name))
      .Text(" ")
      .Integer(grid.VertexCount)
      .Text(" ")
      .Integer(grid.TriangleCount);
  const std::vector<float> heights =
      SampleVertices(source, [&](std::int32_t, const Vector3& v) { WriteVertex(v, out); });
  ForEachTriangle(grid, [&](const Triangle& t) {
    WritePolygon(t, TriangleClass(t, heights, source.prep), out);
  });
}

void WritePlgFile(const WriteRequest& request) {
  RunMeshWrite(request, WritePlgMesh);
}

}  // namespace orvandel
