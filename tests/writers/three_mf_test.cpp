// 3MF files read back by the 3MF Consortium's own library, lib3mf.
#include <Model/COM/NMR_DLLInterfaces.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "generation.h"
#include "writers/face_materials.h"

namespace orvandel {
namespace {

using namespace NMR;
using test::Generation;
using test::TrueScaleHill;

void Ok(LIB3MFRESULT result) {
  if (result != LIB3MF_OK) throw std::runtime_error("lib3mf failed");
}

// What lib3mf reads from a 3MF file: its only mesh object, with its materials.
struct ReadBack {
  DWORD unit = 0;
  DWORD objects = 0;
  std::vector<MODELMESHVERTEX> vertices;
  std::map<std::string, unsigned> faces;        // by material name
  std::map<std::string, PackedColour> colours;  // by material name
};

template <typename Visit>
void ForEachResource(PLib3MFModelResourceIterator* iterator, Visit&& visit) {
  for (BOOL more = 0; Ok(lib3mf_resourceiterator_movenext(iterator, &more)), more;) {
    PLib3MFModelResource* resource = nullptr;
    Ok(lib3mf_resourceiterator_getcurrent(iterator, &resource));
    visit(resource);
    lib3mf_release(resource);
  }
  lib3mf_release(iterator);
}

// The names of the group's materials, each with its colour.
std::vector<std::string> ReadMaterials(PLib3MFModelBaseMaterial* group, ReadBack& read) {
  DWORD count = 0;
  Ok(lib3mf_basematerial_getcount(group, &count));
  std::vector<std::string> names;
  for (DWORD k = 0; k < count; ++k) {
    char name[64];
    ULONG needed = 0;
    Ok(lib3mf_basematerial_getnameutf8(group, k, name, sizeof name, &needed));
    BYTE r = 0, g = 0, b = 0, a = 0;
    Ok(lib3mf_basematerial_getdisplaycolor(group, k, &r, &g, &b, &a));
    EXPECT_EQ(a, 255) << name;
    read.colours[name] = PackRGB(r, g, b);
    names.emplace_back(name);
  }
  return names;
}

void ReadMesh(PLib3MFModelMeshObject* mesh, const std::vector<std::string>& names, ReadBack& read) {
  ++read.objects;
  DWORD vertices = 0;
  Ok(lib3mf_meshobject_getvertexcount(mesh, &vertices));
  read.vertices.resize(vertices);
  Ok(lib3mf_meshobject_getvertices(mesh, read.vertices.data(), vertices, nullptr));
  DWORD triangles = 0;
  Ok(lib3mf_meshobject_gettrianglecount(mesh, &triangles));
  std::vector<DWORD> groups(triangles), indices(triangles);
  PLib3MFPropertyHandler* properties = nullptr;
  Ok(lib3mf_meshobject_createpropertyhandler(mesh, &properties));
  Ok(lib3mf_propertyhandler_getbasematerialarray(properties, groups.data(), indices.data()));
  lib3mf_release(properties);
  for (const DWORD index : indices)
    ++read.faces[names.at(index)];
}

// lib3mf 1.8.1 leaves open the zip entries it reads: what it keeps is not ours to free.
struct IgnoreLib3mfLeaks {
#if defined(__SANITIZE_ADDRESS__)
  IgnoreLib3mfLeaks() {
    __lsan_disable();
  }
  ~IgnoreLib3mfLeaks() {
    __lsan_enable();
  }
#endif
};

ReadBack ReadWithLib3mf(const std::string& bytes) {
  [[maybe_unused]] const IgnoreLib3mfLeaks ignore;
  PLib3MFModel* model = nullptr;
  Ok(lib3mf_createmodel(&model));
  PLib3MFModelReader* reader = nullptr;
  Ok(lib3mf_model_queryreader(model, "3mf", &reader));
  std::string copy = bytes;
  Ok(lib3mf_reader_readfrombuffer(reader, reinterpret_cast<BYTE*>(copy.data()), copy.size()));
  ReadBack read;
  Ok(lib3mf_model_getunit(model, &read.unit));
  std::vector<std::string> names;
  PLib3MFModelResourceIterator* iterator = nullptr;
  Ok(lib3mf_model_getbasematerials(model, &iterator));
  ForEachResource(iterator,
                  [&](PLib3MFModelResource* group) { names = ReadMaterials(group, read); });
  Ok(lib3mf_model_getmeshobjects(model, &iterator));
  ForEachResource(iterator, [&](PLib3MFModelResource* mesh) { ReadMesh(mesh, names, read); });
  lib3mf_release(reader);
  lib3mf_release(model);
  return read;
}

void ExpectBounds(const std::vector<MODELMESHVERTEX>& vertices, Vector3 low, Vector3 high) {
  const float lows[] = {low.x, low.y, low.z}, highs[] = {high.x, high.y, high.z};
  for (int axis = 0; axis < 3; ++axis) {
    const auto [least, most] = std::minmax_element(
        vertices.begin(), vertices.end(), [&](const MODELMESHVERTEX& a, const MODELMESHVERTEX& b) {
          return a.m_fPosition[axis] < b.m_fPosition[axis];
        });
    EXPECT_NEAR(least->m_fPosition[axis], lows[axis], 1e-3) << "axis " << axis;
    EXPECT_NEAR(most->m_fPosition[axis], highs[axis], 1e-3) << "axis " << axis;
  }
}

TEST(ThreeMfTest, ReadsBackInMillimetresWithAMaterialPerFace) {
  struct Case {
    MeshOptions options;
    std::size_t vertices;
    Vector3 low, high;
  };
  const Case cases[] = {
      {{}, 48, {0, 0, 250}, {800, 600, 700}},
      {{.base = 50}, 48 + 25, {0, 0, 200}, {800, 600, 700}},
      // Printed 80 mm wide: scaled by 0.1 about the middle, the base's bottom at 0.
      {{.base = 5, .print_width = 80}, 48 + 25, {-40, -30, 0}, {40, 30, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "base " << c.options.base << ", width " << c.options.print_width);
    Generation g = TrueScaleHill();
    g.options = c.options;
    g.options.surface = nullptr;  // every grid triangle, as FacesByClass counts them
    std::map<std::string, unsigned> faces = test::FacesByClass(g);
    if (c.options.base > 0) faces["base"] = 72;
    const ReadBack read = ReadWithLib3mf(g.Written("hill.3mf"));
    EXPECT_EQ(read.unit, MODELUNIT_MILLIMETER);
    EXPECT_EQ(read.objects, 1u);
    EXPECT_EQ(read.vertices.size(), c.vertices);
    EXPECT_EQ(read.faces, faces);
    ExpectBounds(read.vertices, c.low, c.high);
    for (const auto& [name, count] : faces) {
      const auto named = [&](Material m) { return MaterialName(m) == name; };
      EXPECT_EQ(read.colours.at(name),
                MaterialColour(*std::find_if(kMaterials.begin(), kMaterials.end(), named)));
    }
  }
}

}  // namespace
}  // namespace orvandel
