#include "assimp_mesh_reader.h"

#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <cstdint>
#include <limits>

#include "orvandel/fileio/binary_reader.h"
#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

// A stopped load ends after at most this many faces more.
constexpr unsigned kFacesBetweenChecks = 1u << 16;

// A corner that no mesh holds.
constexpr std::uint32_t kNoCorner = std::numeric_limits<std::uint32_t>::max();

// The library gives up once the load is stopped.
class StopWatch : public Assimp::ProgressHandler {
 public:
  explicit StopWatch(const RenderStop& stop) : stop_(stop) {}
  bool Update(float) override { return !stop_.Stopped(); }

 private:
  const RenderStop& stop_;
};

// The scene checked first, since the library's later steps trust it (a face naming a
// vertex its mesh lacks would crash them); then every mesh placed by its nodes. Equal
// positions are joined by the core, many times faster than the library's step for it.
constexpr unsigned kSteps = aiProcess_ValidateDataStructure | aiProcess_PreTransformVertices;

MeshMaterial MaterialOf(const aiMaterial& material) {
  MeshMaterial taken{material.GetName().C_Str(), std::nullopt};
  aiColor4D colour;
  if (material.Get(AI_MATKEY_BASE_COLOR, colour) == AI_SUCCESS ||
      material.Get(AI_MATKEY_COLOR_DIFFUSE, colour) == AI_SUCCESS) {
    taken.colour = std::array<float, 3>{colour.r, colour.g, colour.b};
  }
  return taken;
}

// Appends the mesh's positions and polygons; a corner beyond the mesh's own positions
// becomes one beyond all, which the core refuses.
void TakeMesh(const aiMesh& mesh, std::uint32_t material, ImportedMesh& taken,
              const RenderStop& stop) {
  const std::size_t first = taken.positions.size();
  if (mesh.mNumVertices > std::numeric_limits<std::uint32_t>::max() - first) {
    throw Refusal("Invalid file!");
  }
  for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
    const aiVector3D& p = mesh.mVertices[v];
    taken.positions.push_back({p.x, p.y, p.z});
  }
  for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
    if (f % kFacesBetweenChecks == 0) stop.ThrowIfStopped();
    const aiFace& face = mesh.mFaces[f];
    for (unsigned k = 0; k < face.mNumIndices; ++k) {
      const unsigned index = face.mIndices[k];
      taken.corners.push_back(index < mesh.mNumVertices ? static_cast<std::uint32_t>(first + index)
                                                        : kNoCorner);
    }
    taken.corner_counts.push_back(face.mNumIndices);
    taken.materials_of.push_back(material);
  }
}

ImportedMesh MeshOf(const aiScene& scene, const RenderStop& stop) {
  ImportedMesh taken;
  for (unsigned m = 0; m < scene.mNumMaterials; ++m)
    taken.materials.push_back(MaterialOf(*scene.mMaterials[m]));
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    const bool own = mesh.mMaterialIndex < scene.mNumMaterials &&
                     taken.materials[mesh.mMaterialIndex].name != AI_DEFAULT_MATERIAL_NAME;
    TakeMesh(mesh, own ? mesh.mMaterialIndex : kNoMaterial, taken, stop);
  }
  return taken;
}

}  // namespace

ImportedMesh AssimpMeshReader::Read(const std::string& file_name, const RenderStop& stop) const {
  BinaryReader{file_name};  // the file layer's message for a file that cannot be opened
  Assimp::Importer importer;
  importer.SetProgressHandler(new StopWatch(stop));  // the importer deletes it
  const aiScene* scene = importer.ReadFile(file_name, kSteps);
  stop.ThrowIfStopped();
  if (scene == nullptr) throw Refusal("Invalid file!");
  return MeshOf(*scene, stop);
}

}  // namespace orvandel
