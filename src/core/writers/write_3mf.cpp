#include <algorithm>
#include <string>

#include "fileio/deflating_sink.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/decimal_digits.h"
#include "writers/face_materials.h"
#include "writers/number_text.h"
#include "writers/package_3mf.h"

namespace orvandel {
namespace {

// Room for one vertex or triangle element: three numbers of number_text.h and the tags.
constexpr std::size_t kElementRoom = 3 * kMaxNumberText + 64;
// About the length of a vertex and of a triangle element.
constexpr std::size_t kVertexBytes = 40;
constexpr std::size_t kTriangleBytes = 45;

// The ids of the one material group and the one object.
constexpr std::string_view kMaterialsId = "1";
constexpr std::string_view kObjectId = "2";

char* Put(char* at, std::string_view text) {
  return std::copy(text.begin(), text.end(), at);
}

void WriteVertex(const Vector3& p, ByteSink& out) {
  char* at = Put(out.Claim(kElementRoom), R"(<vertex x=")");
  at = Put(FormatFloat(at, p.x), R"(" y=")");
  at = Put(FormatFloat(at, p.y), R"(" z=")");
  out.Advance(Put(FormatFloat(at, p.z), R"("/>)"));
}

// The faces of the object's own material leave it unsaid; the others name it, and its
// group too, without which lib3mf gives them the object's.
struct FaceMaterialText {
  Material common;
  std::string other = R"( pid=")" + std::string(kMaterialsId) + R"(" p1=")";
};

void WriteTriangle(const Triangle& t, Material material, const FaceMaterialText& text,
                   ByteSink& out) {
  char* at = Put(out.Claim(kElementRoom), R"(<triangle v1=")");
  at = Put(decimal::PutUnsigned(at, static_cast<std::uint32_t>(t.a)), R"(" v2=")");
  at = Put(decimal::PutUnsigned(at, static_cast<std::uint32_t>(t.b)), R"(" v3=")");
  at = Put(decimal::PutUnsigned(at, static_cast<std::uint32_t>(t.c)), R"(")");
  if (material != text.common) {
    at = Put(at, text.other);
    at = Put(decimal::PutUnsigned(at, static_cast<std::uint32_t>(material)), R"(")");
  }
  out.Advance(Put(at, "/>"));
}

// "#RRGGBB"
std::string ColourText(PackedColour colour) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (const int channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)})
    text += {kHex[channel >> 4], kHex[channel & 15]};
  return text;
}

// The object's own material: the one of the most faces, so that they need not name it.
Material MostCommon(const FaceMaterials& materials) {
  return *std::max_element(kMaterials.begin(), kMaterials.end(), [&](Material a, Material b) {
    return materials.CountOf(a) < materials.CountOf(b);
  });
}

// Every material of a height class, and the base's when there is one: a face names its
// material by its place in this list.
std::string ModelHead(bool has_base, Material common) {
  std::string head =
      R"(<?xml version="1.0" encoding="UTF-8"?>)"
      R"(<model unit="millimeter" xml:lang="en-US" )"
      R"(xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02">)"
      R"(<metadata name="Application">ORVANDEL</metadata><resources><basematerials id=")" +
      std::string(kMaterialsId) + R"(">)";
  for (const Material m : kMaterials) {
    if (m == Material::kBase && !has_base) continue;
    head += R"(<base name=")" + std::string(MaterialName(m)) + R"(" displaycolor=")" +
            ColourText(MaterialColour(m)) + R"("/>)";
  }
  return head + R"(</basematerials><object id=")" + std::string(kObjectId) +
         R"(" type="model" name="terrain" pid=")" + std::string(kMaterialsId) + R"(" pindex=")" +
         std::to_string(static_cast<int>(common)) + R"("><mesh><vertices>)";
}

std::string ModelTail() {
  return R"(</triangles></mesh></object></resources><build><item objectid=")" +
         std::string(kObjectId) + R"("/></build></model>)";
}

void WriteModel(const TrueScaleMesh& mesh, ThreadCount threads, ByteSink& out) {
  const FaceMaterials materials(mesh, threads);
  const FaceMaterialText text{MostCommon(materials)};
  out.Append(ModelHead(materials.CountOf(Material::kBase) > 0, text.common));
  WriteMeshVertices(mesh, kVertexBytes, threads, out,
                    [](const Vector3& p, const Vector3&, ByteSink& sink) { WriteVertex(p, sink); });
  out.Append("</vertices><triangles>");
  WriteSurfaceItems(
      mesh, kTriangleBytes, threads,
      [&](PartRange items, ByteSink& sink) {
        materials.ForEachSurfaceFace(
            mesh, items, [&](const Triangle& t, Material m) { WriteTriangle(t, m, text, sink); });
      },
      out);
  mesh.ForEachBaseTriangle(
      [&](const Triangle& t) { WriteTriangle(t, Material::kBase, text, out); });
  out.Append(ModelTail());
}

}  // namespace

// A 3MF file, as the 3D Manufacturing Format's core package defines it: one object of the
// surface, and its base when there is one, in millimetres (map units taken as millimetres
// unless a print width scales them), z up unless the options choose y; each face with the
// base material of its height class (see FaceMaterials) in the render window's colours.
// The model is deflated as it is formatted (see DeflatingSink) and the package put
// together with libzip (see WriteThreeMfPackage). Throws Refusal as TrueScaleMesh does, and
// std::bad_alloc.
void Write3mfMesh(const MeshSource& source, ByteSink& out) {
  const TrueScaleMesh mesh(source);
  ChunkedMemory deflated;
  DeflatingSink model(deflated);
  WriteModel(mesh, source.threads, model);
  model.Finish();
  WriteThreeMfPackage({deflated, model.Crc32(), model.Size()}, out);
}

}  // namespace orvandel
