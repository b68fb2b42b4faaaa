#pragma once

#include <cstddef>

#include "fileio/little_endian.h"
#include "orvandel/fileio/byte_sink.h"
#include "orvandel/geometry/vector3.h"

namespace orvandel {

// A vertex as six little-endian floats, its position x y z and then its normal x y z: the
// vertex of a binary PLY file and of glTF's interleaved vertex buffer.
inline constexpr std::size_t kVertexRecordBytes = 24;

inline void WriteVertexRecord(const Vector3& position, const Vector3& normal, ByteSink& out) {
  char* at = out.Claim(kVertexRecordBytes);
  for (const float value : {position.x, position.y, position.z, normal.x, normal.y, normal.z})
    at = PutF32(at, value);
  out.Advance(at);
}

}  // namespace orvandel
