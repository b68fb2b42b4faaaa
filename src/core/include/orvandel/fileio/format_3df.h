#pragma once

#include <cstddef>
#include <cstdint>

namespace orvandel {

// The 3DF mesh file, the contract between the writer that makes it and the viewer that
// loads it. All fields are little-endian: the header bytes 03 33 44, the vertex count, one
// record of three floats (x, y, z) per vertex, the triangle count, and one record of four
// integers per triangle: three vertex numbers and the triangle's height class.
namespace format3df {

inline constexpr unsigned char kHeader[] = {0x03, 0x33, 0x44};
inline constexpr std::size_t kHeaderBytes = sizeof kHeader;
inline constexpr std::size_t kCountBytes = 4;
inline constexpr std::size_t kVertexBytes = 12;
inline constexpr std::size_t kTriangleBytes = 16;

// A vertex's z is this many times its cell's height, rounded to a float.
inline constexpr float kHeightFactor = 2.5f;

}  // namespace format3df

// The height class of a triangle, decided by its mean height against the water, lawn and
// snow levels. The viewer reads it as the face's hue in degrees: blue, green and
// orange-brown, and for snow no hue at all, a face drawn in greys.
inline constexpr std::int32_t kWaterClass = 216;
inline constexpr std::int32_t kLawnClass = 120;
inline constexpr std::int32_t kRockClass = 24;
inline constexpr std::int32_t kSnowClass = 32767;
inline constexpr std::int32_t kNoHue = kSnowClass;

}  // namespace orvandel
