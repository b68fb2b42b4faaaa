#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "failure_message.h"
#include "fileio/little_endian.h"
#include "generation.h"
#include "scene_file.h"
#include "surface_checks.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::Generation;
using test::MessageOf;
using test::TriangleRecord;
using test::TrueScaleHill;
using test::UnpairedEdges;
using Face = std::array<std::int32_t, 3>;

const unsigned char* At(const std::string& bytes, std::size_t offset) {
  return reinterpret_cast<const unsigned char*>(bytes.data() + offset);
}

Vector3 VectorAt(const std::string& bytes, std::size_t offset) {
  return {F32At(At(bytes, offset)), F32At(At(bytes, offset + 4)), F32At(At(bytes, offset + 8))};
}

std::array<double, 3> Cross(const Vector3& a, const Vector3& b, const Vector3& c) {
  const double u[] = {double{b.x} - a.x, double{b.y} - a.y, double{b.z} - a.z};
  const double v[] = {double{c.x} - a.x, double{c.y} - a.y, double{c.z} - a.z};
  return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double Length(double x, double y, double z) {
  return std::sqrt(x * x + y * y + z * z);
}

struct Facet {
  Vector3 normal;
  std::array<Vector3, 3> corners;
};

std::vector<Facet> StlFacets(const std::string& stl) {
  EXPECT_EQ(stl.substr(0, 8), "ORVANDEL");  // not "solid", which marks a text STL file
  EXPECT_EQ(stl.size(), 84 + 50 * std::size_t{U32At(At(stl, 80))});
  std::vector<Facet> facets;
  for (std::size_t at = 84; at + 50 <= stl.size(); at += 50) {
    facets.push_back({VectorAt(stl, at),
                      {VectorAt(stl, at + 12), VectorAt(stl, at + 24), VectorAt(stl, at + 36)}});
  }
  return facets;
}

struct PlyContent {
  std::vector<std::array<Vector3, 2>> vertices;  // position, normal
  std::vector<Face> faces;
  std::vector<PackedColour> colours;
};

PlyContent ReadPly(const std::string& ply) {
  std::size_t vertices = 0, faces = 0;
  std::sscanf(ply.c_str() + ply.find("element vertex"), "element vertex %zu", &vertices);
  std::sscanf(ply.c_str() + ply.find("element face"), "element face %zu", &faces);
  std::size_t at = ply.find("end_header\n") + 11;
  EXPECT_EQ(ply.size(), at + 24 * vertices + 16 * faces);
  PlyContent content;
  for (; vertices > 0; --vertices, at += 24)
    content.vertices.push_back({VectorAt(ply, at), VectorAt(ply, at + 12)});
  for (; faces > 0; --faces, at += 16) {
    EXPECT_EQ(ply[at], 3);
    content.faces.push_back(
        {I32At(At(ply, at + 1)), I32At(At(ply, at + 5)), I32At(At(ply, at + 9))});
    content.colours.push_back(PackRGB(*At(ply, at + 13), *At(ply, at + 14), *At(ply, at + 15)));
  }
  return content;
}

std::vector<TriangleRecord> ThreeDfTriangles(const std::string& bytes) {
  std::size_t at = 7 + 12 * static_cast<std::size_t>(I32At(At(bytes, 3)));
  std::vector<TriangleRecord> triangles(static_cast<std::size_t>(I32At(At(bytes, at))));
  for (TriangleRecord& t : triangles) {
    for (std::int32_t& field : t)
      field = I32At(At(bytes, at += 4));
  }
  return triangles;
}

// The render window's colours in full light, and the material names, by height class.
const std::map<int, std::pair<PackedColour, std::string>> kClassMaterials = {
    {216, {PackRGB(0, 102, 255), "water"}},
    {120, {PackRGB(0, 255, 0), "lawn"}},
    {24, {PackRGB(255, 102, 0), "rock"}},
    {32767, {PackRGB(255, 255, 255), "snow"}}};

// A position by its bits, so that corners of different faces match only when equal.
std::array<std::uint32_t, 3> Bits(const Vector3& p) {
  return {std::bit_cast<std::uint32_t>(p.x), std::bit_cast<std::uint32_t>(p.y),
          std::bit_cast<std::uint32_t>(p.z)};
}

TEST(TrueScaleWritersTest, StlHoldsTheGridAtTrueScaleWithFacesCounterClockwise) {
  Generation g = TrueScaleHill();
  g.options.vertical_scale = 2;
  const std::vector<Facet> facets = StlFacets(g.Written("hill.stl"));
  ASSERT_EQ(facets.size(), 70u);  // two per square of 8 x 6 cells
  for (const Facet& f : facets) {
    const auto n = Cross(f.corners[0], f.corners[1], f.corners[2]);
    const double length = Length(n[0], n[1], n[2]);
    EXPECT_GT(n[2], 0);  // counter-clockwise seen from above
    EXPECT_NEAR(f.normal.x, n[0] / length, 1e-6);
    EXPECT_NEAR(f.normal.y, n[1] / length, 1e-6);
    EXPECT_NEAR(f.normal.z, n[2] / length, 1e-6);
    for (const Vector3& p : f.corners) {
      const int c = static_cast<int>(std::lround(p.x * 7 / 800));
      const int r = static_cast<int>(std::lround((600 - p.y) / 120));
      EXPECT_NEAR(p.x, 800.0 * c / 7, 1e-3);
      EXPECT_NEAR(p.y, 600.0 - 120 * r, 1e-3);
      EXPECT_FLOAT_EQ(p.z, 2.0f * static_cast<float>(std::max(250, 100 * ((c + r) % 8))));
    }
  }
  // The first 3DF triangle (0, 1, 9) reversed: lower right, upper right, upper left.
  EXPECT_NEAR(facets[0].corners[0].x, 800.0 / 7, 1e-3);
  EXPECT_NEAR(facets[0].corners[0].y, 480, 1e-3);
  EXPECT_NEAR(facets[0].corners[1].y, 600, 1e-3);
  EXPECT_NEAR(facets[0].corners[2].x, 0, 1e-3);
}

TEST(TrueScaleWritersTest, BaseClosesTheTerrainIntoASolid) {
  Generation g = TrueScaleHill();
  g.options.base = 50;
  const std::vector<Facet> facets = StlFacets(g.Written("hill.stl"));
  EXPECT_EQ(facets.size(), 70u + 3 * 24);  // walls and bottom under 24 edge segments
  std::vector<std::array<std::array<std::uint32_t, 3>, 3>> corners;
  double volume = 0;
  float lowest = 1e9f;
  for (const Facet& f : facets) {
    const auto& p = f.corners;
    corners.push_back({Bits(p[0]), Bits(p[1]), Bits(p[2])});
    const auto n = Cross(p[0], p[1], p[2]);
    volume += (p[0].x * (p[1].y * double{p[2].z} - p[1].z * double{p[2].y}) +
               p[0].y * (p[1].z * double{p[2].x} - p[1].x * double{p[2].z}) +
               p[0].z * (p[1].x * double{p[2].y} - p[1].y * double{p[2].x})) /
              6;
    EXPECT_GT(f.normal.x * n[0] + f.normal.y * n[1] + f.normal.z * n[2], 0);
    for (const Vector3& corner : p)
      lowest = std::min(lowest, corner.z);
  }
  EXPECT_EQ(UnpairedEdges(corners), 0);
  EXPECT_GT(volume, 0);    // outward normals
  EXPECT_EQ(lowest, 200);  // 50 below the lowest cells, at the water level 250
  // The other formats share the edge's vertices: closed vertex by vertex.
  const PlyContent ply = ReadPly(g.Written("hill.ply"));
  ASSERT_EQ(ply.vertices.size(), 48u + 24 + 1);
  EXPECT_EQ(UnpairedEdges(ply.faces), 0);
  // Under the edge the normals point outward and level, in the middle of the bottom down.
  const auto& [middle, down] = ply.vertices.back();
  EXPECT_EQ(down.z, -1);
  for (std::size_t v = 48; v + 1 < ply.vertices.size(); ++v) {
    const auto& [position, normal] = ply.vertices[v];
    EXPECT_GT(normal.x * (position.x - middle.x) + normal.y * (position.y - middle.y), 0);
    EXPECT_EQ(normal.z, 0);
  }
}

TEST(TrueScaleWritersTest, FlatSolidHoldsItsFootprintTimesTheBase) {
  Generation g(8, 6, std::vector<std::uint8_t>(48, 3));
  g.panel = TrueScaleHill().panel;
  g.options.base = 50;
  double volume = 0;
  for (const Facet& f : StlFacets(g.Written("flat.stl"))) {
    const auto& p = f.corners;
    const auto n = Cross(p[0], p[1], p[2]);
    volume += (n[0] * p[0].x + n[1] * p[0].y + n[2] * p[0].z) / 6;
  }
  EXPECT_NEAR(volume, 800.0 * 600 * 50, 1);
}

TEST(TrueScaleWritersTest, MaterialsFollowTheHeightClassesOf3df) {
  // Levels in rising order, and lawn below water with snow between them.
  for (const auto& levels : {std::array<std::string, 3>{"250", "350", "550"},
                             std::array<std::string, 3>{"350", "150", "250"}}) {
    Generation g = TrueScaleHill();
    std::copy(levels.begin(), levels.end(), g.panel.settings.begin());
    const std::vector<TriangleRecord> triangles = ThreeDfTriangles(g.Written("hill.3df"));
    const PlyContent ply = ReadPly(g.Written("hill.ply"));
    ASSERT_EQ(ply.faces.size(), triangles.size());
    std::map<Face, std::string> material_of;
    for (std::size_t k = 0; k < triangles.size(); ++k) {
      const TriangleRecord& t = triangles[k];
      EXPECT_EQ(ply.faces[k], (Face{t[2], t[1], t[0]}));
      EXPECT_EQ(ply.colours[k], kClassMaterials.at(t[3]).first) << "face " << k;
      material_of[{t[2] + 1, t[1] + 1, t[0] + 1}] = kClassMaterials.at(t[3]).second;
    }
    std::istringstream obj(g.Written("hill.obj"));
    std::string material;
    std::size_t faces = 0;
    for (std::string line; std::getline(obj, line);) {
      Face f{};
      if (line.starts_with("usemtl ")) material = line.substr(7, line.size() - 8);
      if (std::sscanf(line.c_str(), "f %d//%*d %d//%*d %d//%*d", &f[0], &f[1], &f[2]) != 3)
        continue;
      EXPECT_EQ(material_of[f], material);
      ++faces;
    }
    EXPECT_EQ(faces, triangles.size());
  }
}

TEST(TrueScaleWritersTest, NormalsAreUnitAndLeanAwayFromTheSlope) {
  // A ramp rising 100 map units from one column (800 / 7 apart) to the next.
  std::vector<std::uint8_t> pixels;
  for (int k = 0; k < 48; ++k)
    pixels.push_back(static_cast<std::uint8_t>(k % 8));
  Generation g(8, 6, pixels);
  g.panel = TrueScaleHill().panel;
  g.panel.settings[kWater] = "0";
  g.options.surface = nullptr;
  const double slope = 100 / (800.0 / 7);
  const double nx = -slope / Length(slope, 0, 1), nz = 1 / Length(slope, 0, 1);
  for (const auto& [position, normal] : ReadPly(g.Written("ramp.ply")).vertices) {
    EXPECT_NEAR(normal.x, nx, 1e-6);
    EXPECT_NEAR(normal.y, 0, 1e-6);
    EXPECT_NEAR(normal.z, nz, 1e-6);
  }
  // glTF's y is up and its z south.
  const std::string glb = g.Written("ramp.glb");
  const std::size_t vertices = glb.size() - 48 * 24 - 70 * 12;
  EXPECT_NEAR(F32At(At(glb, vertices + 12)), nx, 1e-6);
  EXPECT_NEAR(F32At(At(glb, vertices + 16)), nz, 1e-6);
  EXPECT_EQ(F32At(At(glb, vertices + 20)), 0);
}

// The numbers that follow key in a JSON text: "min":[0,150,0].
std::vector<double> JsonNumbers(const std::string& json, const std::string& key) {
  std::istringstream in(json.substr(json.find(key) + key.size()));
  std::vector<double> numbers(3);
  char separator = 0;
  in >> numbers[0] >> separator >> numbers[1] >> separator >> numbers[2];
  return numbers;
}

TEST(TrueScaleWritersTest, GlbChunksAndPositionBounds) {
  const std::string glb = TrueScaleHill().Written("hill.glb");
  ASSERT_EQ(glb.substr(0, 4), "glTF");
  EXPECT_EQ(U32At(At(glb, 4)), 2u);
  EXPECT_EQ(U32At(At(glb, 8)), glb.size());
  const std::size_t json_length = U32At(At(glb, 12));
  EXPECT_EQ(json_length % 4, 0u);
  EXPECT_EQ(glb.substr(16, 4), "JSON");
  const std::string json = glb.substr(20, json_length);
  const std::size_t bin = 20 + json_length;
  EXPECT_EQ(U32At(At(glb, bin)), 48u * 24 + 70 * 12);
  EXPECT_EQ(glb.substr(bin + 4, 4), std::string("BIN\0", 4));
  std::vector<double> low(3, 1e9), high(3, -1e9);
  for (std::size_t v = 0; v < 48; ++v) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const double value = F32At(At(glb, bin + 8 + 24 * v + 4 * axis));
      low[axis] = std::min(low[axis], value);
      high[axis] = std::max(high[axis], value);
    }
  }
  // Exactly the data's extent, as a validator checks it.
  EXPECT_EQ(JsonNumbers(json, "\"min\":["), low);
  EXPECT_EQ(JsonNumbers(json, "\"max\":["), high);
  // x east, y up (250 at the water level to 700), z south from the map's top edge.
  EXPECT_NEAR(low[0], 0, 1e-3);
  EXPECT_NEAR(high[0], 800, 1e-3);
  EXPECT_EQ(low[1], 250);
  EXPECT_EQ(high[1], 700);
  EXPECT_NEAR(low[2], 0, 1e-3);
  EXPECT_NEAR(high[2], 600, 1e-3);
  for (const char* name : {"water", "lawn", "rock", "snow"})
    EXPECT_NE(json.find(std::string("{\"name\":\"") + name), std::string::npos) << name;
}

// A grid of columns x rows cells of one pixel, all of colour 1 at height.
Generation Plain(int columns, int rows, const std::string& height) {
  Generation g(columns, rows, std::vector<std::uint8_t>(std::size_t(columns * rows), 1));
  const std::string side = std::to_string(1000 * std::max(columns, rows));
  g.panel.settings = {"-3.4e38", "500", "5000", side, side, "999.5"};
  g.panel.heights[1] = height;
  return g;
}

// Readers refuse a file without a face; the other formats keep writing one (writers_test).
TEST(TrueScaleWritersTest, AGridWithoutATriangleIsRefusedAndNothingWritten) {
  test::TempDir dir;
  for (const auto& [columns, rows] : {std::pair{1, 1}, {8, 1}, {1, 6}}) {
    for (const char* name : {"g.stl", "g.obj", "g.ply", "g.glb"}) {
      Generation g = Plain(columns, rows, "100");
      g.options.base = columns == 8 ? 10 : 0;
      EXPECT_EQ(g.Run(dir.File(name)), kNoTriangles) << name << " " << columns << "x" << rows;
      EXPECT_EQ(dir.Listing(), "");
    }
  }
}

// Bounds start at +-infinity: a mesh lying wholly beyond +-1.7e38 states its own.
TEST(TrueScaleWritersTest, GlbBoundsHoldHeightsNearTheFloatLimit) {
  for (const char* height : {"3e38", "-3e38"}) {
    const std::string glb = Plain(2, 2, height).Written("far.glb");
    const std::string json = glb.substr(20, U32At(At(glb, 12)));
    const double up = F32At(At(glb, 20 + json.size() + 8 + 4));  // the first vertex's
    EXPECT_NEAR(up, std::stod(height), 1e32);
    EXPECT_EQ(JsonNumbers(json, "\"min\":[")[1], up) << height;
    EXPECT_EQ(JsonNumbers(json, "\"max\":[")[1], up) << height;
  }
}

TEST(TrueScaleWritersTest, HeightsBeyondAFloatAreRefused) {
  Generation g = TrueScaleHill();
  g.panel.heights[7] = "3e38";
  g.options.vertical_scale = 10;
  EXPECT_EQ(MessageOf([&] { g.Written("hill.obj"); }), kNotFiniteVertex);
}

// The full grid as an IndexedSurface: every vertex, the triangulation's triangles in its
// order with their corners reversed and classed by their corners' mean height, and the
// grid's edge from its top left corner down the left edge.
IndexedSurface FullGrid(const SampledGrid& sampled) {
  const std::int32_t columns = sampled.grid.Columns, rows = sampled.grid.Rows;
  const auto h = [&](std::int32_t n) { return sampled.heights[static_cast<std::size_t>(n)]; };
  const WritePreparation& prep = sampled.prep;
  IndexedSurface surface;
  for (std::int32_t n = 0; n < sampled.grid.VertexCount; ++n)
    surface.vertices.push_back(n);
  ForEachSquare(sampled.grid, [&](std::int32_t n) {
    for (const Triangle& t : SquareTriangles(n, columns)) {
      surface.triangles.push_back({t.c, t.b, t.a});
      const float mean = MeanHeight(h(t.a), h(t.b), h(t.c));
      surface.classes.push_back(HeightClass(mean, prep.water, prep.lawn, prep.snow));
    }
  });
  const auto side = [&](std::int32_t from, std::int32_t step, std::int32_t count) {
    for (std::int32_t k = 0; k < count; ++k)
      surface.border.push_back(from + k * step);
  };
  side(0, columns, rows - 1);
  side((rows - 1) * columns, 1, columns - 1);
  side(rows * columns - 1, -columns, rows - 1);
  side(columns - 1, -1, columns - 1);
  return surface;
}

TEST(TrueScaleWritersTest, TheFullGridAsAnIndexedSurfaceWritesTheStreamedBytes) {
  for (const std::string extension : {".stl", ".obj", ".ply", ".glb"}) {
    for (const MeshOptions& shape : {MeshOptions{}, MeshOptions{2, 5}}) {
      Generation g = test::Gaps(17, 13, 3, test::Levels());
      g.options = shape;
      g.options.surface = nullptr;
      g.threads = 3;
      const std::string streamed = g.Written("gaps" + extension);
      g.options.surface = FullGrid;
      EXPECT_TRUE(g.Written("gaps" + extension) == streamed) << extension << " " << shape.base;
    }
  }
}

// Two triangles over the corners of a plain: the walls follow the long edges.
TEST(TrueScaleWritersTest, ABaseFollowsTheEdgeOfAnIndexedSurface) {
  Generation g(8, 6, std::vector<std::uint8_t>(48, 3));
  g.panel = TrueScaleHill().panel;
  g.options.base = 50;
  g.options.surface = [](const SampledGrid&) {
    return IndexedSurface{{0, 7, 40, 47}, {{3, 1, 0}, {2, 3, 0}}, {120, 120}, {0, 2, 3, 1}};
  };
  const PlyContent ply = ReadPly(g.Written("plain.ply"));
  EXPECT_EQ(ply.vertices.size(), 4u + 4 + 1);
  EXPECT_EQ(ply.faces.size(), 2u + 3 * 4);
  EXPECT_EQ(UnpairedEdges(ply.faces), 0);
  double volume = 0;
  for (const Facet& f : StlFacets(g.Written("plain.stl"))) {
    const auto n = Cross(f.corners[0], f.corners[1], f.corners[2]);
    volume += (n[0] * f.corners[0].x + n[1] * f.corners[0].y + n[2] * f.corners[0].z) / 6;
  }
  EXPECT_NEAR(volume, 800.0 * 600 * 50, 1);
}

}  // namespace
}  // namespace orvandel
