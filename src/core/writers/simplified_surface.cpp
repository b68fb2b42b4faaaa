#include "orvandel/writers/simplified_surface.h"

#include <utility>

#include "fileio/parallel_parts.h"
#include "orvandel/meshing/simplify_terrain.h"
#include "writers/square_classes.h"

namespace orvandel {
namespace {

// The simplifier keeps classes as bytes; every class but snow fits one as it is.
constexpr std::uint8_t kSnowByte = 255;

std::uint8_t ClassByte(std::int32_t height_class) {
  return height_class == kSnowClass ? kSnowByte : static_cast<std::uint8_t>(height_class);
}

std::int32_t ClassOfByte(std::uint8_t byte) {
  return byte == kSnowByte ? kSnowClass : std::int32_t{byte};
}

// Each height as the formats write it: rounded to a float once, after the factor, as
// TrueScaleTerrain does; the surface then passes through the very heights in the file.
std::vector<float> WrittenHeights(const SampledGrid& sampled) {
  std::vector<float> z(sampled.heights.size());
  for (std::size_t n = 0; n < z.size(); ++n)
    z[n] = static_cast<float>(sampled.heights[n] * sampled.z_factor);
  return z;
}

// The class of every grid triangle as the full grid's faces have it, two per square in the
// order of SquareTriangles; bands of rows of squares on the threads.
std::vector<std::uint8_t> TriangleClasses(const SampledGrid& sampled) {
  const std::size_t rows = SquareRowCount(sampled.grid);
  const auto per_row = 2 * static_cast<std::size_t>(sampled.grid.Columns - 1);
  std::vector<std::uint8_t> classes(rows * per_row);
  const unsigned parts = PartsFor(rows, sampled.threads);
  RunParts(parts, [&](unsigned part) {
    ForEachSquareRowClasses(
        sampled.heights, sampled.grid, sampled.prep, PartOf(rows, parts, part),
        [&](std::size_t r, const std::int32_t* first, const std::int32_t* second) {
          std::uint8_t* out = classes.data() + r * per_row;
          for (std::size_t c = 0; c < per_row / 2; ++c) {
            *out++ = ClassByte(first[c]);
            *out++ = ClassByte(second[c]);
          }
        });
  });
  return classes;
}

IndexedSurface SurfaceOf(SimplifiedTerrain mesh) {
  IndexedSurface surface{
      std::move(mesh.vertices), std::move(mesh.triangles), {}, std::move(mesh.boundary)};
  surface.classes.reserve(mesh.classes.size());
  for (const std::uint8_t byte : mesh.classes)
    surface.classes.push_back(ClassOfByte(byte));
  return surface;
}

IndexedSurface Simplified(const SampledGrid& sampled, double max_error) {
  const std::vector<float> z = WrittenHeights(sampled);
  const std::vector<std::uint8_t> classes = TriangleClasses(sampled);
  const HeightGrid grid{sampled.grid.Columns, sampled.grid.Rows, z, classes};
  return SurfaceOf(SimplifyTerrain(grid, max_error, sampled.threads));
}

}  // namespace

SurfaceMaker SimplifiedSurface(double max_error) {
  return [max_error](const SampledGrid& sampled) { return Simplified(sampled, max_error); };
}

}  // namespace orvandel
