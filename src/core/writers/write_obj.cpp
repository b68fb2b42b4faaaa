#include <string>

#include "orvandel/fileio/output_file.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/face_materials.h"
#include "writers/output_names.h"
#include "writers/text_line.h"

namespace orvandel {
namespace {

// About the length of a "v" or "vn" line and of an "f" line.
constexpr std::size_t kVectorBytes = 32;
constexpr std::size_t kFaceBytes = 40;

TextLine& Corner(TextLine& line, std::int32_t vertex) {
  const std::int64_t number = std::int64_t{vertex} + 1;  // OBJ counts from 1
  return line.Text(" ").Integer(number).Text("//").Integer(number);
}

void WriteFace(const Triangle& t, ByteSink& out) {
  TextLine line(out);
  line.Text("f");
  Corner(line, t.a);
  Corner(line, t.b);
  Corner(line, t.c);
}

void WriteVectorLine(std::string_view key, const Vector3& v, ByteSink& out) {
  TextLine(out).Text(key).Float(v.x).Text(" ").Float(v.y).Text(" ").Float(v.z);
}

void WriteFaces(const TrueScaleMesh& mesh, ThreadCount threads, ByteSink& out) {
  const FaceMaterials materials(mesh, threads);
  for (const Material m : kMaterials) {
    if (materials.CountOf(m) == 0) continue;
    TextLine(out).Text("usemtl ").Text(MaterialName(m));
    materials.WriteFacesOf(mesh, m, kFaceBytes, threads, out, WriteFace);
  }
}

// "Kd r g b", each channel from 0 to 1.
void WriteDiffuse(PackedColour colour, ByteSink& out) {
  TextLine line(out);
  line.Text("Kd");
  for (const int channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)})
    line.Text(" ").Fixed(channel / 255.0);
}

void WriteMtl(const MeshOptions& options, ByteSink& out) {
  TextLine(out).Text("# ORVANDEL terrain materials: the render window's colours in full light");
  for (const Material m : kMaterials) {
    if (m == Material::kBase && !(options.base > 0)) continue;
    TextLine(out).Text("newmtl ").Text(MaterialName(m));
    WriteDiffuse(MaterialColour(m), out);
    TextLine(out).Text("illum 1");  // matte: no highlights
  }
}

}  // namespace

// Wavefront OBJ in map units at true scale (or millimetres at a print width), y up and z
// south as most OBJ readers take them unless the options choose z up: a comment naming
// them, the material library's name, one "v"
// and one "vn" line per vertex, then the faces of each material after its "usemtl" line,
// each face "f a//a b//b c//c", counter-clockwise seen from outside. Lines end with CR LF.
// Throws Refusal as TrueScaleMesh does.
void WriteObjMesh(const MeshSource& source, ByteSink& out) {
  const TrueScaleMesh mesh(source);
  const Placement& placed = mesh.Placed();
  TextLine(out).Text("# ORVANDEL terrain: ").Text(placed.Units()).Text(", ").Text(placed.Axes());
  const std::string library = MaterialLibraryName(source.output_file_name);
  TextLine(out).Text("mtllib ").Text(NameInFolder(library));
  TextLine(out).Text("o terrain");
  WriteMeshVertices(
      mesh, kVectorBytes, source.threads, out,
      [](const Vector3& p, const Vector3&, ByteSink& sink) { WriteVectorLine("v ", p, sink); });
  WriteMeshVertices(
      mesh, kVectorBytes, source.threads, out,
      [](const Vector3&, const Vector3& n, ByteSink& sink) { WriteVectorLine("vn ", n, sink); });
  WriteFaces(mesh, source.threads, out);
}

// Writes OutputFileName as OBJ with body and beside it its material library (hill.obj,
// hill.mtl): "newmtl" and the diffuse colour "Kd" of water, lawn, rock and snow, and of
// base for a solid. Both files appear whole or neither changes (see CommitTogether()).
// Throws IoError and Refusal.
void WriteObjFile(const WriteRequest& request, MeshBody body) {
  const std::string& obj_name = request.state.OutputFileName;
  OutputFile obj(obj_name);
  OutputFile mtl(MaterialLibraryName(obj_name));
  WriteMeshInto(request, body, obj);
  WriteMtl(request.options, mtl);
  CommitTogether(obj, mtl);
}

}  // namespace orvandel
