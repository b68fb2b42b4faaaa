#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "fileio/little_endian.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/true_scale_mesh.h"
#include "writers/unit_normal.h"

namespace orvandel {
namespace {

// Must not begin with "solid", which marks the text form of STL.
constexpr std::string_view kHeaderStart = "ORVANDEL terrain, binary STL, ";
constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kFaceBytes = 50;

// "ORVANDEL terrain, binary STL, map units, z up"
void WriteHeader(const TrueScaleMesh& mesh, ByteSink& out) {
  const Placement& placed = mesh.Placed();
  const std::string text = std::string(kHeaderStart) + std::string(placed.Units()) +
                           (placed.Up() == UpAxis::kZ ? ", z up" : ", y up");
  std::array<char, kHeaderBytes> header{};
  std::copy(text.begin(), text.end(), header.begin());
  out.Append(header.data(), header.size());
  out.Advance(PutU32(out.Claim(4), static_cast<std::uint32_t>(mesh.FaceCount())));
}

char* PutVector(char* at, const Vector3& v) {
  at = PutF32(at, v.x);
  at = PutF32(at, v.y);
  return PutF32(at, v.z);
}

void WriteFace(const Vector3& a, const Vector3& b, const Vector3& c, ByteSink& out) {
  char* at = PutVector(out.Claim(kFaceBytes), FacetNormal(a, b, c));
  at = PutVector(at, a);
  at = PutVector(at, b);
  at = PutVector(at, c);
  *at++ = 0;
  *at++ = 0;
  out.Advance(at);
}

}  // namespace

// Binary STL in map units at true scale (or millimetres at a print width), z up unless the
// options choose y: an 80-byte header naming the units and the up axis, the face count, and per
// face its unit normal, its three corners counter-clockwise seen from outside and two
// attribute bytes of 0 (the format has no agreed colour). Throws Refusal as
// TrueScaleMesh does.
void WriteStlMesh(const MeshSource& source, ByteSink& out) {
  const TrueScaleMesh mesh(source);
  WriteHeader(mesh, out);
  WriteSurfaceItems(
      mesh, kFaceBytes, source.threads,
      [&](PartRange items, ByteSink& sink) {
        mesh.ForEachSurfaceFace(items, [&](const Vector3& a, const Vector3& b, const Vector3& c) {
          WriteFace(a, b, c, sink);
        });
      },
      out);
  mesh.ForEachBaseFace([&](const MeshFace& face) {
    WriteFace(face.corners[0], face.corners[1], face.corners[2], out);
  });
}

}  // namespace orvandel
