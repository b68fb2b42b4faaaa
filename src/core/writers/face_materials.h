#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/geometry/colour.h"
#include "writers/true_scale_mesh.h"

namespace orvandel {

// The materials of today's formats: one per height class, and one for a solid's base.
enum class Material : std::uint8_t { kWater, kLawn, kRock, kSnow, kBase };
inline constexpr std::size_t kMaterialCount = 5;
inline constexpr std::array<Material, kMaterialCount> kMaterials = {
    Material::kWater, Material::kLawn, Material::kRock, Material::kSnow, Material::kBase};

// "water", "lawn", "rock", "snow", "base".
std::string_view MaterialName(Material material);

// The colour the render window gives a face of the material's height class in full
// light; the base is a plain grey.
PackedColour MaterialColour(Material material);

// The material of every face of a mesh, found once: a terrain face by the height class of
// its triangle, as the 3DF writer finds it; the faces of a base by being the base's.
class FaceMaterials {
 public:
  // Classes the faces on up to threads threads.
  FaceMaterials(const TrueScaleMesh& mesh, ThreadCount threads);

  std::int64_t CountOf(Material material) const {
    return counts_[static_cast<std::size_t>(material)];
  }

  // visit(triangle, material) for every terrain face in the rows of squares [rows.begin,
  // rows.end), in face order; the base's faces are all of Material::kBase.
  template <typename Visit>
  void ForEachTerrainFace(const TrueScaleMesh& mesh, PartRange rows, Visit&& visit) const {
    const std::int32_t per_row = mesh.FacesPerRow();
    for (std::size_t r = rows.begin; r < rows.end; ++r) {
      const Material* row = RowOf(r, per_row);
      for (std::int32_t k = 0; k < per_row; ++k)
        visit(mesh.TerrainFace(static_cast<std::int32_t>(r), k), row[k]);
    }
  }

  // visit(triangle) for every terrain face of the material in the rows of squares
  // [rows.begin, rows.end), in face order. Runs of the material are searched for in each
  // row of faces, so that writing the faces material by material costs little more than
  // writing them once.
  template <typename Visit>
  void ForEachTerrainFaceOf(const TrueScaleMesh& mesh, Material material, PartRange rows,
                            Visit&& visit) const {
    if (CountOf(material) == 0) return;
    const std::int32_t per_row = mesh.FacesPerRow();
    for (std::size_t r = rows.begin; r < rows.end; ++r) {
      const Material* row = RowOf(r, per_row);
      for (std::int32_t k = Find(row, 0, per_row, material); k < per_row;
           k = Find(row, k, per_row, material)) {
        for (; k < per_row && row[k] == material; ++k)
          visit(mesh.TerrainFace(static_cast<std::int32_t>(r), k));
      }
    }
  }

  // Writes write(triangle, out) for every face of the material in face order: the
  // terrain's in bands on threads threads (see WriteTerrainRows), each band into a sink of
  // its own. face_bytes is about the output of one face.
  template <typename Write>
  void WriteFacesOf(const TrueScaleMesh& mesh, Material material, std::size_t face_bytes,
                    ThreadCount threads, ByteSink& out, Write&& write) const {
    if (material == Material::kBase) {
      mesh.ForEachBaseTriangle([&](const Triangle& t) { write(t, out); });
      return;
    }
    WriteTerrainRows(
        mesh, face_bytes, threads,
        [&](PartRange rows, ByteSink& sink) {
          ForEachTerrainFaceOf(mesh, material, rows, [&](const Triangle& t) { write(t, sink); });
        },
        out);
  }

 private:
  // The first face from k on (per_row when none) in the row that has the material.
  static std::int32_t Find(const Material* row, std::int32_t k, std::int32_t per_row,
                           Material material) {
    const void* found =
        std::memchr(row + k, static_cast<int>(material), static_cast<std::size_t>(per_row - k));
    return found == nullptr ? per_row
                            : static_cast<std::int32_t>(static_cast<const Material*>(found) - row);
  }
  using Counts = std::array<std::int64_t, kMaterialCount>;

  const Material* RowOf(std::size_t r, std::int32_t per_row) const {
    return terrain_.data() + r * static_cast<std::size_t>(per_row);
  }

  std::vector<Material> terrain_;  // the material of every terrain face
  Counts counts_{};
};

}  // namespace orvandel
