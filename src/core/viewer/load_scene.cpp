#include "orvandel/viewer/load_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "fileio/huge_pages.h"
#include "fileio/little_endian.h"
#include "orvandel/fileio/binary_reader.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/fileio/io_error.h"
#include "viewer/scene_size.h"
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
// throws IoError::EndOfFile() after its last whole record has been taken; a stopped load
// throws RenderStopped before the next chunk of records.
template <typename TakeRecord>
void ReadRecords(BinaryReader& reader, std::int32_t count, std::size_t record_bytes,
                 const RenderStop& stop, TakeRecord take) {
  std::vector<unsigned char> chunk(kRecordsPerChunk * record_bytes);
  for (auto left = static_cast<std::size_t>(count); left > 0;) {
    stop.ThrowIfStopped();
    const std::size_t wanted = std::min(left, kRecordsPerChunk);
    const std::size_t got = reader.ReadUpTo(chunk.data(), wanted * record_bytes) / record_bytes;
    for (std::size_t k = 0; k < got; ++k)
      take(chunk.data() + k * record_bytes);
    if (got < wanted) throw IoError::EndOfFile();
    left -= wanted;
  }
}

bool IsFinite(const Vector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The header, the vertex count and the vertices, which become the scene's vertices; sets
// EyeDistance and the view angles.
void Read_Points(BinaryReader& reader, ViewerState& state, const ShowAngles& show_angles,
                 const RenderStop& stop, std::vector<Vector3>& vertices) {
  unsigned char header[kHeaderBytes];
  reader.Read(header, sizeof header);  // never checked: any file with plausible counts loads
  const std::int32_t count = reader.ReadI32();
  if (count <= 0) throw Refusal("Invalid file!");

  ReserveForRecords(vertices, count, reader, kVertexBytes);
  BoundingBox box;
  ReadRecords(reader, count, kVertexBytes, stop, [&](const unsigned char* record) {
    const Vector3 v{F32At(record), F32At(record + 4), F32At(record + 8)};
    // Such values would make every later conversion to pixels undefined.
    if (!IsFinite(v)) throw Refusal("Invalid file!");
    box.Take(v);
    vertices.push_back(v);
  });

  SizeUpScene(box, state, show_angles);
}

// The triangle count and the triangles, appended to the scene's faces as they are read,
// each corner checked against the vertices.
void Read_Triangles(BinaryReader& reader, IndexedScene& scene, VertexUse& use,
                    const RenderStop& stop) {
  const std::int32_t count = reader.ReadI32();
  if (count <= 0) throw Refusal("Invalid file!");

  ReserveForRecords(scene.faces, count, reader, kTriangleBytes);
  ReadRecords(reader, count, kTriangleBytes, stop, [&](const unsigned char* record) {
    const SceneFace face{use.Number(I32At(record)), use.Number(I32At(record + 4)),
                         use.Number(I32At(record + 8)), I32At(record + 12)};
    use.Name(face);
    scene.faces.push_back(face);
  });
}

}  // namespace

void LoadScene(const std::string& file_name, ViewerState& state, const ShowAngles& show_angles,
               const RenderStop& stop) {
  DiscardScene(state);
  BinaryReader reader(file_name);
  IndexedScene scene;
  Read_Points(reader, state, show_angles, stop, scene.vertices);
  VertexUse use(scene.vertices.size());
  const auto keep = [&] {
    DropUnnamedVertices(scene, use);
    state.SceneFaces = std::move(scene);
  };
  try {
    Read_Triangles(reader, scene, use, stop);
  } catch (const Failure&) {
    keep();  // the faces read before the failure stay as the scene
    throw;
  }
  keep();
}

}  // namespace orvandel
