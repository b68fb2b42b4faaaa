#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <optional>

#include "bmp_builder.h"
#include "failure_message.h"
#include "generation.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/load_scene.h"
#include "scene_corners.h"
#include "scene_file.h"
#include "temp_dir.h"

namespace orvandel {
namespace {

using test::FaceCorners;
using test::PutF32;
using test::PutI32;
using test::SceneFileBytes;
using test::TempDir;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Loads bytes as a 3DF file; remembers the message that ended the load ("" when it
// succeeded) and the angle pairs the up-downs were given.
struct Loader {
  std::string Load(const std::string& bytes) {
    TempDir dir;
    tools::WriteFileBytes(dir.File("scene.3df"), bytes);
    return LoadFile(dir.File("scene.3df"));
  }
  std::string LoadFile(const std::string& file_name) {
    shown.clear();
    return test::MessageOf(
        [&] { LoadScene(file_name, state, [this](AnglePair pair) { shown.push_back(pair); }); });
  }

  // The loaded faces with copies of their corners.
  std::vector<FaceCorners> Faces() const {
    std::vector<FaceCorners> faces;
    for (const SceneFace& face : state.SceneFaces.faces)
      faces.push_back(test::CornersOf(state.SceneFaces.vertices, face));
    return faces;
  }

  ViewerState state;
  std::vector<AnglePair> shown;
};

// Three vertices in a row along x and one triangle over them: d2 = 4.
std::string RowOfThree() {
  return SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{0, 1, 2, 120}});
}

std::string Header(std::int32_t vertex_count) {
  std::string bytes("\x03\x33\x44", 3);
  PutI32(bytes, vertex_count);
  return bytes;
}

void ExpectCorner(const Vector3& v, float x, float y, float z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}

TEST(LoadSceneTest, ByteLayoutOfTheTwoByTwoTerrain) {
  // clang-format off
  const unsigned char file[91] = {
      0x03, 0x33, 0x44, 4, 0, 0, 0,                           // header, 4 vertices
      0, 0, 0, 0xBF, 0, 0, 0, 0x3F, 0xCD, 0xCC, 0x8C, 0x3E,   // (-0.5, 0.5, 0.275)
      0, 0, 0, 0x3F, 0, 0, 0, 0x3F, 0, 0, 0, 0x3F,            // (0.5, 0.5, 0.5)
      0, 0, 0, 0xBF, 0, 0, 0, 0xBF, 0, 0, 0x40, 0x3F,         // (-0.5, -0.5, 0.75)
      0, 0, 0, 0x3F, 0, 0, 0, 0xBF, 0, 0, 0x80, 0x3F,         // (0.5, -0.5, 1.0)
      2, 0, 0, 0,                                             // 2 triangles
      0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 120, 0, 0, 0,       // 0, 1, 3, hue 120
      0, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 24, 0, 0, 0};       // 0, 3, 2, hue 24
  // clang-format on
  Loader loader;
  ASSERT_EQ(loader.Load(std::string(reinterpret_cast<const char*>(file), sizeof file)), "");
  const std::vector<FaceCorners> faces = loader.Faces();
  ASSERT_EQ(faces.size(), 2u);
  ExpectCorner(faces[0].Corner1, -0.5f, 0.5f, 0.275f);
  ExpectCorner(faces[0].Corner2, 0.5f, 0.5f, 0.5f);
  ExpectCorner(faces[0].Corner3, 0.5f, -0.5f, 1.0f);
  EXPECT_EQ(faces[0].Hue, 120);
  ExpectCorner(faces[1].Corner3, -0.5f, -0.5f, 0.75f);
  EXPECT_EQ(faces[1].Hue, 24);
  // Each vertex is kept once, and the faces name them as the file does.
  EXPECT_EQ(loader.state.SceneFaces.vertices.size(), 4u);
  EXPECT_EQ(loader.state.SceneFaces.faces[1].Corner2, 3u);
}

TEST(LoadSceneTest, GeneratedTerrainLoadsInFileOrder) {
  TempDir dir;
  ASSERT_EQ(test::TwoByTwoExample().Run(dir.File("hill.3df")), "");
  Loader loader;
  ASSERT_EQ(loader.LoadFile(dir.File("hill.3df")), "");
  const std::vector<FaceCorners> faces = loader.Faces();
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0].Hue, 120);
  EXPECT_EQ(faces[1].Hue, 24);
  ExpectCorner(faces[1].Corner2, 0.5f, -0.5f, 2.5f * 0.4f);
}

TEST(LoadSceneTest, AnyHeaderAndTrailingBytesAreAccepted) {
  std::string bytes = RowOfThree();
  bytes.replace(0, 3, "XYZ");
  bytes += "trailing";
  Loader loader;
  EXPECT_EQ(loader.Load(bytes), "");
  EXPECT_EQ(loader.state.SceneFaces.faces.size(), 1u);
}

TEST(LoadSceneTest, EyeDistanceCarriesOverFromLoadToLoad) {
  Loader loader;
  ASSERT_EQ(loader.Load(RowOfThree()), "");
  // -(100/99) sqrt((0.25 / 9 + 1) * 4): the first vertex counts toward both bounds.
  EXPECT_EQ(loader.state.EyeDistance, std::bit_cast<float>(0xC003138Du));  // -2.0480683
  ASSERT_EQ(loader.Load(RowOfThree()), "");
  EXPECT_EQ(loader.state.EyeDistance, std::bit_cast<float>(0xC0051714u));  // -2.0795336
}

TEST(LoadSceneTest, LoadResetsTheAnglesAndShowsTheTargetPair) {
  Loader loader;
  loader.state.ObserverVertical = 35;
  loader.state.SunHorizontal = 5;
  ASSERT_EQ(loader.Load(RowOfThree()), "");
  EXPECT_EQ(loader.shown, std::vector<AnglePair>{kStartObserver});
  EXPECT_EQ(loader.state.ObserverVertical, 20);
  EXPECT_EQ(loader.state.SunHorizontal, 180);

  loader.state.AngleTarget = AngleTargetKind::kSun;
  ASSERT_EQ(loader.Load(RowOfThree()), "");
  EXPECT_EQ(loader.shown, std::vector<AnglePair>{kStartSun});
}

TEST(LoadSceneTest, SinglePointIsDivisionByZeroAndTheNextLoadStartsAfresh) {
  Loader loader;
  EXPECT_EQ(loader.Load(SceneFileBytes({{0, 0, 0}}, {{0, 0, 0, 120}})), "Division by zero!");
  EXPECT_TRUE(loader.state.SceneFaces.empty());
  EXPECT_EQ(loader.shown, std::vector<AnglePair>{kStartObserver});  // angles still reset

  ASSERT_EQ(loader.Load(RowOfThree()), "");
  EXPECT_EQ(loader.state.EyeDistance, std::bit_cast<float>(0xC003138Du));
}

TEST(LoadSceneTest, RefusedCountsAreInvalidFiles) {
  for (const std::int32_t count : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
    Loader loader;
    loader.state.ObserverVertical = 35;
    EXPECT_EQ(loader.Load(Header(count) + "rest of file"), "Invalid file!") << count;
    EXPECT_TRUE(loader.shown.empty());
    EXPECT_EQ(loader.state.ObserverVertical, 35);

    std::string bytes = Header(2);
    for (const float value : {1, 2, 3, 1, 2, 4})
      PutF32(bytes, value);
    PutI32(bytes, count);
    EXPECT_EQ(loader.Load(bytes), "Invalid file!") << count;
    EXPECT_EQ(loader.shown.size(), 1u);
  }
}

TEST(LoadSceneTest, HugeCountsInShortFilesEndAtTheEndOfTheFile) {
  Loader loader;
  std::string vertices = Header(std::numeric_limits<std::int32_t>::max());
  PutF32(vertices, 1);
  EXPECT_EQ(loader.Load(vertices), "Read beyond end of file.");

  std::string triangles = RowOfThree();
  triangles.replace(3 + 4 + 36, 4, "\xFF\xFF\xFF\x7F", 4);
  EXPECT_EQ(loader.Load(triangles), "Read beyond end of file.");
  EXPECT_EQ(loader.state.SceneFaces.faces.size(), 1u);  // the one whole record stays
  EXPECT_LE(loader.state.SceneFaces.faces.capacity(), 1u);
}

TEST(LoadSceneTest, IndexOutsideTheVerticesKeepsTheFacesBeforeIt) {
  for (const std::int32_t index : {3, -1, std::numeric_limits<std::int32_t>::max()}) {
    Loader loader;
    const std::string bytes =
        SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}},
                       {{0, 1, 2, 120}, {2, 1, 0, 24}, {0, index, 1, 216}, {0, 1, 2, 24}});
    EXPECT_EQ(loader.Load(bytes), "List index out of bounds.") << index;
    ASSERT_EQ(loader.state.SceneFaces.faces.size(), 2u);
    EXPECT_EQ(loader.state.SceneFaces.faces[1].Hue, 24);
  }
}

TEST(LoadSceneTest, FacesBeforeAFailureKeepJustTheVerticesTheyName) {
  Loader loader;
  const std::string bytes = SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 1, 0}, {4, 0, 2}},
                                           {{3, 4, 3, 120}, {0, 9, 1, 24}});
  EXPECT_EQ(loader.Load(bytes), "List index out of bounds.");
  ASSERT_EQ(loader.state.SceneFaces.vertices.size(), 2u);
  const std::vector<FaceCorners> faces = loader.Faces();
  ASSERT_EQ(faces.size(), 1u);
  ExpectCorner(faces[0].Corner1, 3, 1, 0);
  ExpectCorner(faces[0].Corner2, 4, 0, 2);
  ExpectCorner(faces[0].Corner3, 3, 1, 0);
}

TEST(LoadSceneTest, VertexThatIsNotANumberIsRefusedAsSoonAsItIsRead) {
  for (const float bad : {kNaN, kInfinity, -kInfinity}) {
    Loader loader;
    std::string bytes = Header(1000);
    PutF32(bytes, 0);
    PutF32(bytes, 1);
    PutF32(bytes, bad);  // the file ends after this first vertex
    EXPECT_EQ(loader.Load(bytes), "Invalid file!") << bad;
    EXPECT_TRUE(loader.shown.empty());
  }
}

TEST(LoadSceneTest, FileCutAnywhereEndsBeyondTheEnd) {
  const std::string whole =
      SceneFileBytes({{0, 0, 0}, {1, 0, 0}, {2, 0, 5}}, {{0, 1, 2, 120}, {2, 1, 0, 24}});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    Loader loader;
    EXPECT_EQ(loader.Load(whole.substr(0, size)), "Read beyond end of file.") << size;
    EXPECT_EQ(loader.state.SceneFaces.faces.size(), size < 63 ? 0u : 1u) << size;
  }
}

TEST(LoadSceneTest, PreviousSceneIsDiscardedBeforeTheFileIsOpened) {
  Loader loader;
  ASSERT_EQ(loader.Load(RowOfThree()), "");
  TempDir dir;
  EXPECT_EQ(loader.LoadFile(dir.File("missing.3df")), "File not found.");
  EXPECT_TRUE(loader.state.SceneFaces.empty());
  EXPECT_EQ(loader.LoadFile(dir.path()), "File access denied.");
}

}  // namespace
}  // namespace orvandel
