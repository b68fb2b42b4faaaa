#include "orvandel/viewer/load_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "fileio/huge_pages.h"
#include "fileio/little_endian.h"
#include "geometry/bounds.h"
#include "orvandel/fileio/binary_reader.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/fileio/io_error.h"
#include "viewer/vertex_use.h"

namespace orvandel {
namespace {

using format3df::kHeaderBytes;
using format3df::kTriangleBytes;
using format3df::kVertexBytes;

constexpr std::size_t kRecordsPerChunk = 4096;

// Reserves room for count records, or for as many as the rest of the file could hold if
// that is fewer: a count is only what the file claims.
template <typename Item>
void ReserveForRecords(std::vector<Item>& items, std::int32_t count, const BinaryReader& reader,
                       std::size_t record_bytes) {
  items.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
      static_cast<std::uint64_t>(count), reader.RemainingBytes() / record_bytes)));
  AdviseHugePages(items.data(), items.capacity() * sizeof(Item));
}

// Hands count records of record_bytes each to take, in file order. A file that ends early
// throws IoError::EndOfFile() after its last whole record has been taken.
template <typename TakeRecord>
void ReadRecords(BinaryReader& reader, std::int32_t count, std::size_t record_bytes,
                 TakeRecord take) {
  std::vector<unsigned char> chunk(kRecordsPerChunk * record_bytes);
  for (auto left = static_cast<std::size_t>(count); left > 0;) {
    const std::size_t wanted = std::min(left, kRecordsPerChunk);
    const std::size_t got = reader.ReadUpTo(chunk.data(), wanted * record_bytes) / record_bytes;
    for (std::size_t k = 0; k < got; ++k)
      take(chunk.data() + k * record_bytes);
    if (got < wanted) throw IoError::EndOfFile();
    left -= wanted;
  }
}

struct BoundingBox {
  AxisRange x, y, z;

  void Take(const Vector3& v) {
    x.Take(v.x);
    y.Take(v.y);
    z.Take(v.z);
  }
  float DiagonalSquared() const {
    using L = long double;
    const L dx = L{x.high} - x.low;
    const L dy = L{y.high} - y.low;
    const L dz = L{z.high} - z.low;
    return static_cast<float>(dx * dx + dy * dy + dz * dz);
  }
};

// The viewing distance for a scene whose bounding box has the squared diagonal d2, derived
// from the previous one. After a degenerate scene left it near zero, it starts again from
// kStartEyeDistance, so that one such file does not make every later load fail.
float NextEyeDistance(float previous, float d2) {
  const long double e = previous < -1e-9L ? previous : kStartEyeDistance;
  return static_cast<float>(-(100.0L / 99) * std::sqrt((0.25L / (e * e) + 1) * d2));
}

bool IsFinite(const Vector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The header, the vertex count and the vertices, which become the scene's vertices; sets
// EyeDistance and the view angles.
void Read_Points(BinaryReader& reader, ViewerState& state, const ShowAngles& show_angles,
                 std::vector<Vector3>& vertices) {
  unsigned char header[kHeaderBytes];
  reader.Read(header, sizeof header);  // never checked: any file with plausible counts loads
  const std::int32_t count = reader.ReadI32();
  if (count <= 0) throw Refusal("Invalid file!");

  ReserveForRecords(vertices, count, reader, kVertexBytes);
  BoundingBox box;
  ReadRecords(reader, count, kVertexBytes, [&](const unsigned char* record) {
    const Vector3 v{F32At(record), F32At(record + 4), F32At(record + 8)};
    // Such values would make every later conversion to pixels undefined.
    if (!IsFinite(v)) throw Refusal("Invalid file!");
    box.Take(v);
    vertices.push_back(v);
  });

  state.EyeDistance = NextEyeDistance(state.EyeDistance, box.DiagonalSquared());
  ResetViewAngles(state);
  show_angles(TargetAngles(state));
  if (std::fabs(state.EyeDistance) < 1e-9L) throw Refusal("Division by zero!");
}

// The triangle count and the triangles, appended to the scene's faces as they are read,
// each corner checked against the vertices.
void Read_Triangles(BinaryReader& reader, IndexedScene& scene, VertexUse& use) {
  const std::int32_t count = reader.ReadI32();
  if (count <= 0) throw Refusal("Invalid file!");

  ReserveForRecords(scene.faces, count, reader, kTriangleBytes);
  ReadRecords(reader, count, kTriangleBytes, [&](const unsigned char* record) {
    const SceneFace face{use.Number(I32At(record)), use.Number(I32At(record + 4)),
                         use.Number(I32At(record + 8)), I32At(record + 12)};
    use.Name(face);
    scene.faces.push_back(face);
  });
}

}  // namespace

void LoadScene(const std::string& file_name, ViewerState& state, const ShowAngles& show_angles) {
  DiscardScene(state);
  BinaryReader reader(file_name);
  IndexedScene scene;
  Read_Points(reader, state, show_angles, scene.vertices);
  VertexUse use(scene.vertices.size());
  const auto keep = [&] {
    DropUnnamedVertices(scene, use);
    state.SceneFaces = std::move(scene);
  };
  try {
    Read_Triangles(reader, scene, use);
  } catch (const Failure&) {
    keep();  // the faces read before the failure stay as the scene
    throw;
  }
  keep();
}

}  // namespace orvandel
