#include "orvandel/writers/write_asc.h"

#include "orvandel/fileio/format_3df.h"
#include "writers/text_line.h"

namespace orvandel {
namespace {

void WriteLine(ByteSink& out, std::string_view text) {
  TextLine(out).Text(text);
}

void WriteSceneStart(const GridLayout& grid, ByteSink& out) {
  WriteLine(out, "Ambient light color: Red=0.101961 Green=0.101961 Blue=0.101961");
  WriteLine(out, "");
  WriteLine(out, "Named object: \"object1\"");
  TextLine(out)
      .Text("Tri-mesh, Vertices: ")
      .Integer(grid.VertexCount)
      .Text("     Faces: ")
      .Integer(grid.TriangleCount);
  WriteLine(out, "Vertex list:");
}

void WriteVertex(std::int32_t n, const Vector3& v, ByteSink& out) {
  TextLine(out)
      .Text("Vertex ")
      .Integer(n)
      .Text(":  X: ")
      .Fixed(v.x)
      .Text("     Y: ")
      .Fixed(v.y)
      .Text("     Z: ")
      .Fixed(kTextHeightFactor * v.z);
}

void WriteFace(std::int64_t number, const Triangle& t, const std::vector<float>& heights,
               const WritePreparation& prep, ByteSink& out) {
  TextLine(out)
      .Text("Face ")
      .Integer(number)
      .Text(":    A:")
      .Integer(t.c)
      .Text(" B:")
      .Integer(t.b)
      .Text(" C:")
      .Integer(t.a)
      .Text(" AB:1 BC:1 CA:1");
  WriteAscMaterial(TriangleClass(t, heights, prep), out);
  WriteLine(out, "Smoothing:  1");
}

void WriteSceneEnd(ByteSink& out) {
  for (const std::string_view line : {
           "Named object: \"Light01\"",
           "Direct light",
           "Position:  X:0.455456 Y:0 Z:0.957791",
           "Light color: Red=1 Green=1 Blue=1",
           "",
           "Named object: \"Camera01\"",
           "Camera (50.000004mm)",
           "Position:  X:-1.827902 Y:-0.860015 Z:1.237158",
           "",
           "Target:  X:-0.40951 Y:-0.163843 Z:0.046774",
           "Bank angle: 0 degrees",
       }) {
    WriteLine(out, line);
  }
}

}  // namespace

void WriteAscMaterial(int height_class, ByteSink& out) {
  switch (height_class) {
    case kWaterClass:
      return WriteLine(out, "Material:\"BLUE GLASS\"");
    case kLawnClass:
      return WriteLine(out, "Material:\"GREEN MATTE\"");
    case kRockClass:
      return WriteLine(out, "Material:\"BROWN MATTE\"");
    default:
      return WriteLine(out, "Material:\"WHITE MATTE\"");
  }
}

void WriteAscMesh(MeshSource& source, ByteSink& out) {
  GridLayout& grid = source.grid;
  grid.TriangleCount = TriangleCountOf(grid);
  WriteSceneStart(grid, out);
  const std::vector<float> heights =
      SampleVertices(source, [&](std::int32_t n, const Vector3& v) { WriteVertex(n, v, out); });
  WriteLine(out, "Face list:");
  ForEachSquare(grid, [&](std::int32_t n) {
    const auto triangles = SquareTriangles(n, grid.Columns);
    WriteFace(2 * std::int64_t{n}, triangles[0], heights, source.prep, out);
    WriteFace(2 * std::int64_t{n} + 1, triangles[1], heights, source.prep, out);
  });
  WriteSceneEnd(out);
}

void WriteAscFile(const WriteRequest& request) {
  RunMeshWrite(request, WriteAscMesh);
}

}  // namespace orvandel
