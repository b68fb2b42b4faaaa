#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "fileio/little_endian.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/face_materials.h"
#include "writers/vertex_record.h"

namespace orvandel {
namespace {

constexpr std::uint32_t kMagic = 0x46546C67;      // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
constexpr std::uint64_t kFaceBytes = 12;

// The shortest text that reads back as the same number.
std::string Number(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Vec3(const Vector3& v) {
  return "[" + Number(v.x) + "," + Number(v.y) + "," + Number(v.z) + "]";
}

// glTF colours are linear; the render window's are the screen's (sRGB).
std::string LinearChannel(int channel) {
  const double c = channel / 255.0;
  return Number(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}

std::string MaterialJson(Material material) {
  const PackedColour colour = MaterialColour(material);
  return R"({"name":")" + std::string(MaterialName(material)) +
         R"(","pbrMetallicRoughness":{"baseColorFactor":[)" + LinearChannel(RedOf(colour)) + "," +
         LinearChannel(GreenOf(colour)) + "," + LinearChannel(BlueOf(colour)) +
         R"(,1],"metallicFactor":0,"roughnessFactor":1}})";
}

std::string VertexAccessorsJson(const TrueScaleMesh& mesh) {
  const AxisRanges extent = mesh.Extent();
  const std::string count = std::to_string(mesh.VertexCount());
  return R"({"bufferView":0,"componentType":5126,"count":)" + count + R"(,"type":"VEC3","min":)" +
         Vec3({extent.x.low, extent.y.low, extent.z.low}) + R"(,"max":)" +
         Vec3({extent.x.high, extent.y.high, extent.z.high}) +
         R"(},{"bufferView":0,"byteOffset":12,"componentType":5126,"count":)" + count +
         R"(,"type":"VEC3"})";
}

// The primitives, materials and index accessors of the materials in use.
struct PrimitivesJson {
  std::string primitives, materials, accessors;
};

PrimitivesJson MaterialsInUse(const FaceMaterials& faces) {
  PrimitivesJson json;
  std::uint64_t offset = 0;
  std::uint64_t used = 0;
  for (const Material m : kMaterials) {
    const auto count = static_cast<std::uint64_t>(faces.CountOf(m));
    if (count == 0) continue;
    const std::string comma = used == 0 ? "" : ",";
    json.primitives += comma + R"({"attributes":{"POSITION":0,"NORMAL":1},"indices":)" +
                       std::to_string(2 + used) + R"(,"material":)" + std::to_string(used) + "}";
    json.materials += comma + MaterialJson(m);
    json.accessors += R"(,{"bufferView":1,"byteOffset":)" + std::to_string(offset) +
                      R"(,"componentType":5125,"count":)" + std::to_string(3 * count) +
                      R"(,"type":"SCALAR"})";
    offset += kFaceBytes * count;
    ++used;
  }
  return json;
}

std::string GltfJson(const TrueScaleMesh& mesh, const FaceMaterials& faces,
                     std::uint64_t vertex_bytes, std::uint64_t index_bytes) {
  const std::string start =
      R"({"asset":{"version":"2.0","generator":"ORVANDEL"},"scene":0,"scenes":[{"nodes":[0]}],)";
  const PrimitivesJson in_use = MaterialsInUse(faces);
  return start + R"("nodes":[{"name":"terrain","mesh":0}],"meshes":[{"name":"terrain",)" +
         R"("primitives":[)" + in_use.primitives + R"(]}],"materials":[)" + in_use.materials +
         R"(],"accessors":[)" + VertexAccessorsJson(mesh) + in_use.accessors +
         R"(],"bufferViews":[{"buffer":0,"byteLength":)" + std::to_string(vertex_bytes) +
         R"(,"byteStride":24,"target":34962},{"buffer":0,"byteOffset":)" +
         std::to_string(vertex_bytes) + R"(,"byteLength":)" + std::to_string(index_bytes) +
         R"(,"target":34963}],"buffers":[{"byteLength":)" +
         std::to_string(vertex_bytes + index_bytes) + "}]}";
}

void AppendU32(std::uint64_t value, ByteSink& out) {
  out.Advance(PutU32(out.Claim(4), static_cast<std::uint32_t>(value)));
}

void WriteFace(const Triangle& t, ByteSink& out) {
  char* at = out.Claim(kFaceBytes);
  at = PutI32(at, t.a);
  at = PutI32(at, t.b);
  out.Advance(PutI32(at, t.c));
}

void WriteBinaryChunk(const TrueScaleMesh& mesh, const FaceMaterials& faces, std::uint64_t length,
                      ThreadCount threads, ByteSink& out) {
  AppendU32(length, out);
  AppendU32(kBinChunk, out);
  WriteMeshVertices(mesh, kVertexRecordBytes, threads, out, WriteVertexRecord);
  for (const Material m : kMaterials)
    faces.WriteFacesOf(mesh, m, kFaceBytes, threads, out, WriteFace);
}

}  // namespace

// Binary glTF 2.0 in map units at true scale (or millimetres at a print width), on
// glTF's fixed axes: x east, y up (the height), z south; in map units x runs from 0 to
// Mapwidth and z from 0 at the map's top edge to Mapheight at its bottom edge. One mesh with one
// primitive per material in use (water, lawn, rock, snow, base), each material with the render
// window's colour in full light; positions and normals interleaved, indices as 32-bit integers,
// faces counter-clockwise seen from outside. Throws Refusal as TrueScaleMesh does, and "Mesh too
// large for a glTF binary file!" beyond 4 GiB.
void WriteGlbMesh(const MeshSource& source, ByteSink& out) {
  const TrueScaleMesh mesh(source);
  const FaceMaterials faces(mesh, source.threads);
  const std::uint64_t vertex_bytes = kVertexRecordBytes * mesh.VertexCount();
  const std::uint64_t index_bytes = kFaceBytes * static_cast<std::uint64_t>(mesh.FaceCount());
  std::string json = GltfJson(mesh, faces, vertex_bytes, index_bytes);
  json.resize((json.size() + 3) / 4 * 4, ' ');  // chunks keep 4-byte alignment
  const std::uint64_t binary = vertex_bytes + index_bytes;
  const std::uint64_t total = 12 + 8 + json.size() + 8 + binary;
  if (total > std::numeric_limits<std::uint32_t>::max()) {
    throw Refusal("Mesh too large for a glTF binary file!");
  }
  AppendU32(kMagic, out);
  AppendU32(2, out);
  AppendU32(total, out);
  AppendU32(json.size(), out);
  AppendU32(kJsonChunk, out);
  out.Append(json);
  WriteBinaryChunk(mesh, faces, binary, source.threads, out);
}

}  // namespace orvandel
