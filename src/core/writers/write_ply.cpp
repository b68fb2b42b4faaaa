#include <string>

#include "fileio/little_endian.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/face_materials.h"
#include "writers/vertex_record.h"

namespace orvandel {
namespace {

constexpr std::size_t kFaceBytes = 16;

void WriteHeader(const TrueScaleMesh& mesh, ByteSink& out) {
  out.Append(
      "ply\n"
      "format binary_little_endian 1.0\n"
      "comment ORVANDEL terrain: " +
      std::string(mesh.Placed().Units()) + ", " + std::string(mesh.Placed().Axes()) +
      "\n"
      "element vertex " +
      std::to_string(mesh.VertexCount()) +
      "\n"
      "property float x\nproperty float y\nproperty float z\n"
      "property float nx\nproperty float ny\nproperty float nz\n"
      "element face " +
      std::to_string(mesh.FaceCount()) +
      "\n"
      "property list uchar int vertex_indices\n"
      "property uchar red\nproperty uchar green\nproperty uchar blue\n"
      "end_header\n");
}

void WriteFace(const Triangle& t, PackedColour colour, ByteSink& out) {
  char* at = out.Claim(kFaceBytes);
  *at++ = 3;
  at = PutI32(at, t.a);
  at = PutI32(at, t.b);
  at = PutI32(at, t.c);
  *at++ = static_cast<char>(RedOf(colour));
  *at++ = static_cast<char>(GreenOf(colour));
  *at++ = static_cast<char>(BlueOf(colour));
  out.Advance(at);
}

}  // namespace

// Binary little-endian PLY in map units at true scale (or millimetres at a print width),
// z up unless the options choose y: a text header naming them, then per
// vertex x y z nx ny nz (floats), then per face its three vertex numbers,
// counter-clockwise seen from outside, and the colour of its material (red, green, blue
// bytes). Throws Refusal as TrueScaleMesh does.
void WritePlyMesh(const MeshSource& source, ByteSink& out) {
  const TrueScaleMesh mesh(source);
  const FaceMaterials materials(mesh, source.threads);
  WriteHeader(mesh, out);
  WriteMeshVertices(mesh, kVertexRecordBytes, source.threads, out, WriteVertexRecord);
  std::array<PackedColour, kMaterialCount> colours{};
  for (const Material m : kMaterials)
    colours[static_cast<std::size_t>(m)] = MaterialColour(m);
  WriteSurfaceItems(
      mesh, kFaceBytes, source.threads,
      [&](PartRange items, ByteSink& sink) {
        materials.ForEachSurfaceFace(mesh, items, [&](const Triangle& t, Material m) {
          WriteFace(t, colours[static_cast<std::size_t>(m)], sink);
        });
      },
      out);
  const PackedColour base = colours[static_cast<std::size_t>(Material::kBase)];
  mesh.ForEachBaseTriangle([&](const Triangle& t) { WriteFace(t, base, out); });
}

}  // namespace orvandel
