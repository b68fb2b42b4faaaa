#include "orvandel/viewer/mesh_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/viewer/ply_face_colours.h"
#include "viewer/joined_vertices.h"
#include "viewer/mesh_hues.h"
#include "viewer/scene_size.h"
#include "viewer/vertex_use.h"

namespace orvandel {
namespace {

// The up axis of each format as its tools expect it; glTF's z runs south.
constexpr std::array<MeshFormat, 4> kMeshFormats = {{
    {".stl", UpAxis::kZ, FaceColours::kNone},
    {".obj", UpAxis::kY, FaceColours::kMaterials},
    {".ply", UpAxis::kZ, FaceColours::kFaceRecords},
    {".glb", UpAxis::kY, FaceColours::kLinearMaterials},
}};

// A stopped load ends after at most this many vertices or polygons more.
constexpr std::size_t kItemsBetweenChecks = std::size_t{1} << 16;

// A 3DF file holds heights times this, in the units in which its map spans 2.
constexpr double kHeightFactor = 2.5;

[[noreturn]] void RefuseInvalidFile() {
  throw Refusal("Invalid file!");
}

void CheckStop(std::size_t k, const RenderStop& stop) {
  if (k % kItemsBetweenChecks == 0) stop.ThrowIfStopped();
}

bool IsFinite(const Vector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The positions with z up, north along y.
std::vector<Vector3> UprightPositions(const std::vector<Vector3>& positions, UpAxis up,
                                      const RenderStop& stop) {
  std::vector<Vector3> upright;
  upright.reserve(positions.size());
  for (const Vector3& p : positions) {
    CheckStop(upright.size(), stop);
    if (!IsFinite(p)) RefuseInvalidFile();
    upright.push_back(up == UpAxis::kZ ? p : Vector3{p.x, -p.z, p.y});
  }
  return upright;
}

// The hue that each polygon has of its own, from the colours of the faces or from its
// material.
class PolygonHues {
 public:
  PolygonHues(const ImportedMesh& mesh, const MeshFormat& format,
              std::span<const PackedColour> face_colours)
      : materials_of_(mesh.materials_of) {
    if (format.colours == FaceColours::kFaceRecords &&
        face_colours.size() == mesh.corner_counts.size()) {
      face_colours_ = face_colours;
    }
    const bool by_material = format.colours == FaceColours::kMaterials ||
                             format.colours == FaceColours::kLinearMaterials;
    for (const MeshMaterial& material : mesh.materials) {
      material_hues_.push_back(
          by_material ? HueOfMaterial(material, format.colours == FaceColours::kLinearMaterials)
                      : std::nullopt);
    }
  }

  std::optional<std::int32_t> Of(std::size_t polygon) const {
    if (!face_colours_.empty()) return HueOfColour(face_colours_[polygon]);
    if (polygon >= materials_of_.size()) return std::nullopt;
    const std::uint32_t material = materials_of_[polygon];
    if (material >= material_hues_.size()) return std::nullopt;
    return material_hues_[material];
  }

 private:
  const std::vector<std::uint32_t>& materials_of_;
  std::span<const PackedColour> face_colours_;
  std::vector<std::optional<std::int32_t>> material_hues_;
};

// Turns the polygons into fans of triangles over the upright vertices, each with its hue.
// The polygons name the positions of the file; numbers gives each its vertex.
class FaceMaker {
 public:
  FaceMaker(IndexedScene& scene, std::vector<std::uint32_t> numbers,
            const std::optional<HeightLevels>& levels)
      : scene_(scene), numbers_(std::move(numbers)), levels_(levels), use_(scene.vertices.size()) {}

  // The fan's triangles with their corners in the opposite order: today's formats wind
  // faces counter-clockwise seen from outside, the 3DF file clockwise seen from above,
  // and its corner order decides which side the viewer lights.
  void Polygon(const std::uint32_t* corners, std::uint32_t count, std::optional<std::int32_t> hue) {
    for (std::uint32_t k = 2; k < count; ++k) {
      SceneFace face{Corner(corners[k]), Corner(corners[k - 1]), Corner(corners[0]), 0};
      face.Hue = hue ? *hue : LevelHue(face);
      use_.Name(face);
      scene_.faces.push_back(face);
    }
  }

  // Keeps just the vertices that faces name.
  void Finish() { DropUnnamedVertices(scene_, use_); }

 private:
  std::uint32_t Corner(std::uint32_t position) const {
    if (position >= numbers_.size()) RefuseInvalidFile();
    return numbers_[position];
  }

  std::int32_t LevelHue(const SceneFace& face) const {
    if (!levels_) return kNoHue;
    const std::vector<Vector3>& v = scene_.vertices;
    const float mean = MeanHeight(v[face.Corner1].z, v[face.Corner2].z, v[face.Corner3].z);
    return HeightClass(mean, levels_->water, levels_->lawn, levels_->snow);
  }

  IndexedScene& scene_;
  const std::vector<std::uint32_t> numbers_;
  const std::optional<HeightLevels>& levels_;
  VertexUse use_;
};

// The scene of the mesh in the file's units, z up, each position one vertex.
IndexedScene FacesOf(const ImportedMesh& mesh, const MeshFormat& format,
                     std::span<const PackedColour> face_colours,
                     const std::optional<HeightLevels>& levels, const RenderStop& stop) {
  IndexedScene scene;
  scene.vertices = UprightPositions(mesh.positions, format.up, stop);
  scene.faces.reserve(mesh.corner_counts.size());
  const PolygonHues hues(mesh, format, face_colours);
  FaceMaker maker(scene, JoinEqualVertices(scene.vertices, stop), levels);
  std::size_t at = 0;
  for (std::size_t p = 0; p < mesh.corner_counts.size(); ++p) {
    CheckStop(p, stop);
    const std::uint32_t count = mesh.corner_counts[p];
    if (count > mesh.corners.size() - at) RefuseInvalidFile();
    maker.Polygon(mesh.corners.data() + at, count, hues.Of(p));
    at += count;
  }
  if (scene.faces.empty()) RefuseInvalidFile();
  maker.Finish();
  return scene;
}

// Moves the vertices from the file's units into the world of a 3DF file of the same
// terrain; returns the box around them there.
BoundingBox PlaceInWorld(std::vector<Vector3>& vertices, const RenderStop& stop) {
  BoundingBox file_box;
  for (const Vector3& v : vertices)
    file_box.Take(v);
  const double side =
      std::max(double{file_box.x.high} - file_box.x.low, double{file_box.y.high} - file_box.y.low);
  if (!(side > 0)) throw Refusal("Division by zero!");
  const double middle_x = (double{file_box.x.low} + file_box.x.high) / 2;
  const double middle_y = (double{file_box.y.low} + file_box.y.high) / 2;
  BoundingBox world_box;
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    CheckStop(k, stop);
    Vector3& v = vertices[k];
    v = {static_cast<float>((v.x - middle_x) * 2 / side),
         static_cast<float>((v.y - middle_y) * 2 / side),
         static_cast<float>(kHeightFactor * v.z / side)};
    if (!IsFinite(v)) RefuseInvalidFile();
    world_box.Take(v);
  }
  return world_box;
}

}  // namespace

std::span<const MeshFormat> MeshFormats() {
  return kMeshFormats;
}

const MeshFormat* MeshFormatForFile(std::string_view file_name) {
  const std::string extension = AsciiLower(FileExtension(file_name));
  const auto found = std::ranges::find(kMeshFormats, extension, &MeshFormat::extension);
  return found == kMeshFormats.end() ? nullptr : &*found;
}

void TakeMeshScene(const ImportedMesh& mesh, const MeshFormat& format,
                   std::span<const PackedColour> face_colours,
                   const std::optional<HeightLevels>& levels, ViewerState& state,
                   const ShowAngles& show_angles, const RenderStop& stop) {
  IndexedScene scene = FacesOf(mesh, format, face_colours, levels, stop);
  const BoundingBox world_box = PlaceInWorld(scene.vertices, stop);
  SizeUpScene(world_box, state, show_angles);
  state.SceneFaces = std::move(scene);
}

void LoadMeshScene(const std::string& file_name, const MeshFormat& format,
                   const MeshFileReader& reader, const std::optional<HeightLevels>& levels,
                   ViewerState& state, const ShowAngles& show_angles, const RenderStop& stop) {
  // A PLY file is read whole here first: the reader library trusts the header of a PLY
  // file and crashes on one that is cut short.
  const std::vector<PackedColour> face_colours = format.colours == FaceColours::kFaceRecords
                                                     ? ReadPlyFaceColours(file_name, stop)
                                                     : std::vector<PackedColour>{};
  const ImportedMesh mesh = reader.Read(file_name, stop);
  TakeMeshScene(mesh, format, face_colours, levels, state, show_angles, stop);
}

}  // namespace orvandel
