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

// The material of every face of a mesh, found once: a face of the full grid by the height
// class of its triangle, as the 3DF writer finds it, one of an IndexedSurface by the class
// the surface gives it; the faces of a base by being the base's.
class FaceMaterials {
 public:
  // Classes the grid's faces on up to threads threads.
  FaceMaterials(const TrueScaleMesh& mesh, ThreadCount threads);

  std::int64_t CountOf(Material material) const {
    return counts_[static_cast<std::size_t>(material)];
  }

  // visit(triangle, material) for every face of the surface in the face items
  // [items.begin, items.end) (see TrueScaleMesh::FaceItems()), in face order; the base's
  // faces are all of Material::kBase.
  template <typename Visit>
  void ForEachSurfaceFace(const TrueScaleMesh& mesh, PartRange items, Visit&& visit) const {
    const std::int32_t per_item = mesh.FacesPerItem();
    mesh.WithSurfaceFaces([&](const auto& face) {
      for (std::size_t i = items.begin; i < items.end; ++i) {
        const Material* item = ItemOf(i, per_item);
        for (std::int32_t k = 0; k < per_item; ++k)
          visit(face(i, k), item[k]);
      }
    });
  }

  // visit(triangle) for every face of the material in the surface's face items
  // [items.begin, items.end), in face order. Runs of the material are searched for in each
  // item's faces, so that writing the faces material by material costs little more than
  // writing them once.
  template <typename Visit>
  void ForEachSurfaceFaceOf(const TrueScaleMesh& mesh, Material material, PartRange items,
                            Visit&& visit) const {
    if (CountOf(material) == 0) return;
    const std::int32_t per_item = mesh.FacesPerItem();
    mesh.WithSurfaceFaces([&](const auto& face) {
      for (std::size_t i = items.begin; i < items.end; ++i) {
        const Material* item = ItemOf(i, per_item);
        for (std::int32_t k = Find(item, 0, per_item, material); k < per_item;
             k = Find(item, k, per_item, material)) {
          for (; k < per_item && item[k] == material; ++k)
            visit(face(i, k));
        }
      }
    });
  }

  // Writes write(triangle, out) for every face of the material in face order: the
  // surface's in bands on threads threads (see WriteSurfaceItems), each band into a sink of
  // its own. face_bytes is about the output of one face.
  template <typename Write>
  void WriteFacesOf(const TrueScaleMesh& mesh, Material material, std::size_t face_bytes,
                    ThreadCount threads, ByteSink& out, Write&& write) const {
    if (material == Material::kBase) {
      mesh.ForEachBaseTriangle([&](const Triangle& t) { write(t, out); });
      return;
    }
    WriteSurfaceItems(
        mesh, face_bytes, threads,
        [&](PartRange items, ByteSink& sink) {
          ForEachSurfaceFaceOf(mesh, material, items, [&](const Triangle& t) { write(t, sink); });
        },
        out);
  }

 private:
  // The first face from k on (per_item when none) among an item's faces that has the
  // material.
  static std::int32_t Find(const Material* item, std::int32_t k, std::int32_t per_item,
                           Material material) {
    const void* found =
        std::memchr(item + k, static_cast<int>(material), static_cast<std::size_t>(per_item - k));
    return found == nullptr ? per_item
                            : static_cast<std::int32_t>(static_cast<const Material*>(found) - item);
  }
  using Counts = std::array<std::int64_t, kMaterialCount>;

  const Material* ItemOf(std::size_t i, std::int32_t per_item) const {
    return surface_.data() + i * static_cast<std::size_t>(per_item);
  }
  void ClassGrid(const TrueScaleMesh& mesh, ThreadCount threads);
  void ClassSurface(const IndexedSurface& surface);

  std::vector<Material> surface_;  // the material of every face of the surface
  Counts counts_{};
};

}  // namespace orvandel
