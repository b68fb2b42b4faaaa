#include "writers/face_materials.h"

#include "fileio/class_materials.h"
#include "fileio/parallel_parts.h"
#include "geometry/shading.h"
#include "orvandel/fileio/format_3df.h"
#include "writers/square_classes.h"

namespace orvandel {
namespace {

Material MaterialOfClass(int height_class) {
  switch (height_class) {
    case kWaterClass:
      return Material::kWater;
    case kLawnClass:
      return Material::kLawn;
    case kRockClass:
      return Material::kRock;
    default:
      return Material::kSnow;
  }
}

// Ambient light alone at full strength: the intensity 1 that a face turned straight to
// the sun and the observer reaches.
PackedColour FullLight(float hue) {
  const Vector3 origin{};
  return ShadeFace(origin, origin, origin, origin, hue, 1, 0, 0, 0.5f);
}

}  // namespace

std::string_view MaterialName(Material material) {
  static_assert(kClassMaterials.size() == kMaterialCount);
  return kClassMaterials[static_cast<std::size_t>(material)].name;
}

PackedColour MaterialColour(Material material) {
  switch (material) {
    case Material::kWater:
      return FullLight(kWaterClass);
    case Material::kLawn:
      return FullLight(kLawnClass);
    case Material::kRock:
      return FullLight(kRockClass);
    case Material::kSnow:
      return FullLight(kNoHue);
    default:
      return PackRGB(128, 128, 128);
  }
}

FaceMaterials::FaceMaterials(const TrueScaleMesh& mesh, ThreadCount threads) {
  if (mesh.Surface() != nullptr) {
    ClassSurface(*mesh.Surface());
  } else {
    ClassGrid(mesh, threads);
  }
  counts_[static_cast<std::size_t>(Material::kBase)] =
      mesh.FaceCount() - static_cast<std::int64_t>(surface_.size());
}

// The rows of squares are classed in bands, one per thread, each into its own faces.
void FaceMaterials::ClassGrid(const TrueScaleMesh& mesh, ThreadCount threads) {
  const GridLayout& grid = mesh.Grid();
  const std::size_t rows = SquareRowCount(grid);
  const auto per_row = static_cast<std::size_t>(mesh.FacesPerItem());
  surface_.resize(rows * per_row);
  const unsigned parts = PartsFor(rows, threads);
  std::vector<Counts> counts(parts);
  RunParts(parts, [&](unsigned part) {
    const PartRange band = PartOf(rows, parts, part);
    Material* face = surface_.data() + band.begin * per_row;
    ForEachSquareRowClasses(
        mesh.Terrain().CellHeights(), grid, mesh.Preparation(), band,
        [&](std::size_t, const std::int32_t* first, const std::int32_t* second) {
          for (std::size_t c = 0; c < per_row / 2; ++c) {
            for (const std::int32_t height_class : {first[c], second[c]}) {
              *face = MaterialOfClass(height_class);
              ++counts[part][static_cast<std::size_t>(*face++)];
            }
          }
        });
  });
  for (const Counts& band : counts) {
    for (std::size_t m = 0; m < counts_.size(); ++m)
      counts_[m] += band[m];
  }
}

void FaceMaterials::ClassSurface(const IndexedSurface& surface) {
  for (const std::int32_t height_class : surface.classes) {
    surface_.push_back(MaterialOfClass(height_class));
    ++counts_[static_cast<std::size_t>(surface_.back())];
  }
}

}  // namespace orvandel
