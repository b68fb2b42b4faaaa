// Feeds arbitrary bytes to the loading of mesh files of today's tools, then renders what
// it loaded in file order and in depth order: every input must end in a scene or a
// Failure, never in a crash, a leak or undefined behaviour.
//
// Input: a mode byte, then by mode
// - 0: a mesh as a reader library hands it over, nothing of it checked: the format
//   (a byte), levels (a byte, odd for three floats to follow), the positions (a count
//   word, three floats each), the polygons (a count word; each a corner count byte, the
//   corners as words and a material byte, 255 for none), the materials (a count byte;
//   each a name line, a byte, odd for three floats of colour to follow) and the faces'
//   colours (a count word, three bytes each);
// - 1 to 4: the rest as an STL, OBJ, PLY or GLB file, read through the reader library;
// - 5: the rest as a PLY file whose faces' colours are read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "assimp_mesh_reader.h"
#include "fuzz_input.h"
#include "memory_file.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/viewer/mesh_scene.h"
#include "orvandel/viewer/ply_face_colours.h"
#include "orvandel/viewer/raster_canvas.h"
#include "orvandel/viewer/render_scene.h"

namespace {

using namespace orvandel;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

const MeshFormat& FormatOf(unsigned number) {
  return MeshFormats()[number % MeshFormats().size()];
}

std::optional<HeightLevels> Levels(FuzzInput& input) {
  if (input.Byte() % 2 == 0) return std::nullopt;
  return HeightLevels{input.Float(), input.Float(), input.Float()};
}

void TakePolygons(FuzzInput& input, ImportedMesh& mesh) {
  for (unsigned polygons = input.Word(); polygons > 0; --polygons) {
    const std::uint32_t count = input.Byte() % 8;
    for (std::uint32_t k = 0; k < count; ++k)
      mesh.corners.push_back(input.Word());
    mesh.corner_counts.push_back(count);
    const std::uint32_t material = input.Byte();
    mesh.materials_of.push_back(material == 255 ? kNoMaterial : material);
  }
}

void TakeMaterials(FuzzInput& input, ImportedMesh& mesh) {
  for (unsigned materials = input.Byte() % 8; materials > 0; --materials) {
    MeshMaterial material{input.Line(), std::nullopt};
    if (input.Byte() % 2 == 1) {
      material.colour = std::array<float, 3>{input.Float(), input.Float(), input.Float()};
    }
    mesh.materials.push_back(material);
  }
}

void TakeMesh(FuzzInput& input, ViewerState& state) {
  const MeshFormat& format = FormatOf(input.Byte());
  const std::optional<HeightLevels> levels = Levels(input);
  ImportedMesh mesh;
  for (unsigned positions = input.Word(); positions > 0; --positions)
    mesh.positions.push_back({input.Float(), input.Float(), input.Float()});
  TakePolygons(input, mesh);
  TakeMaterials(input, mesh);
  std::vector<PackedColour> face_colours;
  for (unsigned colours = input.Word(); colours > 0; --colours)
    face_colours.push_back(PackRGB(input.Byte(), input.Byte(), input.Byte()));
  TakeMeshScene(mesh, format, face_colours, levels, state, [](AnglePair) {});
}

void Render(ViewerState& state) {
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  RasterCanvas canvas(pixels.data(), kWidth, kHeight, kWidth);
  for (const bool shaded : {true, false}) {
    for (const PaintOrder order : {PaintOrder::kFile, PaintOrder::kDepth}) {
      state.Shaded = shaded;
      state.paint_order = order;
      RenderScene(state, canvas, kWidth, kHeight);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const unsigned mode = input.Byte() % 6;
  ViewerState state;
  try {
    if (mode == 0) {
      TakeMesh(input, state);
    } else if (mode == 5) {
      const NamedMemoryFile file(input.Rest(), ".ply");
      ReadPlyFaceColours(file.Name(), RenderStop::Never());
    } else {
      const MeshFormat& format = FormatOf(mode - 1);
      const NamedMemoryFile file(input.Rest(), std::string(format.extension));
      LoadMeshScene(file.Name(), format, AssimpMeshReader(), std::nullopt, state, [](AnglePair) {});
    }
    Render(state);
  } catch (const Failure&) {
  }
  return 0;
}
