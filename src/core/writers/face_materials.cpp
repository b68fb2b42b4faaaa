#include "writers/face_materials.h"

#include "orvandel/fileio/format_3df.h"
#include "orvandel/geometry/shading.h"

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
  constexpr std::array<std::string_view, kMaterialCount> kNames = {"water", "lawn", "rock", "snow",
                                                                   "base"};
  return kNames[static_cast<std::size_t>(material)];
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

// Each height class stands for an interval of mean heights, and the mean of three corners
// lies between the lowest and the highest of them, also once rounded (the rounded mean
// never passes a float it lies beside). So a triangle whose corners alone all have one
// class has that class, and only the others need their mean.
FaceMaterials::FaceMaterials(const TrueScaleMesh& mesh) {
  const std::vector<float>& heights = mesh.Terrain().CellHeights();
  const WritePreparation& prep = mesh.Preparation();
  std::vector<Material> corner(heights.size());
  for (std::size_t n = 0; n < heights.size(); ++n)
    corner[n] = MaterialOfClass(HeightClass(heights[n], prep.water, prep.lawn, prep.snow));
  terrain_.reserve(static_cast<std::size_t>(mesh.Grid().TriangleCount));
  ForEachTriangle(mesh.Grid(), [&](const Triangle& t) {
    const Material a = corner[static_cast<std::size_t>(t.a)];
    const bool alike =
        a == corner[static_cast<std::size_t>(t.b)] && a == corner[static_cast<std::size_t>(t.c)];
    Add(alike ? a : MaterialOfClass(TriangleClass(t, heights, prep)));
  });
  counts_[static_cast<std::size_t>(Material::kBase)] =
      mesh.FaceCount() - static_cast<std::int64_t>(terrain_.size());
}

void FaceMaterials::Add(Material material) {
  terrain_.push_back(material);
  ++counts_[static_cast<std::size_t>(material)];
}

}  // namespace orvandel
