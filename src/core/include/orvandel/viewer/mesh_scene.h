#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "orvandel/geometry/colour.h"
#include "orvandel/geometry/up_axis.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/mesh_file.h"
#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// Where a format keeps the colours of its faces.
enum class FaceColours {
  kNone,             // nowhere (STL): the reader's materials are its own inventions
  kMaterials,        // in materials, colours as shown (OBJ)
  kLinearMaterials,  // in materials, colours in linear light (glTF)
  kFaceRecords,      // in each face's red, green and blue (PLY)
};

// A mesh format of today's 3D tools that the viewer shows.
struct MeshFormat {
  std::string_view extension;  // ".stl"
  UpAxis up;
  FaceColours colours;
};

// STL, OBJ, PLY and GLB, as the writers write them and other tools do.
std::span<const MeshFormat> MeshFormats();

// The format that the file's extension names, in any case; null for any other file, which
// the viewer reads as 3DF.
const MeshFormat* MeshFormatForFile(std::string_view file_name);

// The levels that give a face without a colour of its own its height class, by the mean
// height of its corners, in the file's units.
struct HeightLevels {
  float water = 0;
  float lawn = 0;
  float snow = 0;
};

// Makes mesh, read from a file of format, the scene in state, placed in the world of a
// 3DF file of the same terrain: z up, centred on the middle of the vertices, the longer
// horizontal side spanning -1 to 1 and heights scaled alike, times 2.5. Polygons become
// fans of triangles, and the positions where several stand one vertex. A face's hue comes from
// face_colours (one per polygon, when the format keeps them there and the file gave one for every
// polygon), else from its material (a height class's name, else the hue of its colour), else from
// its mean height against levels, else it is colourless. Sets EyeDistance and resets the view
// angles as LoadScene does, showing them through show_angles.
//
// Throws, leaving state as it was: Refusal "Invalid file!" for a mesh without faces, with
// a corner it does not hold or a coordinate that is not a finite number in the world;
// Refusal "Division by zero!" for a mesh without horizontal extent; RenderStopped once
// stop is stopped.
void TakeMeshScene(const ImportedMesh& mesh, const MeshFormat& format,
                   std::span<const PackedColour> face_colours,
                   const std::optional<HeightLevels>& levels, ViewerState& state,
                   const ShowAngles& show_angles, const RenderStop& stop = RenderStop::Never());

// Reads the mesh file file_name of format through reader (and, for a format that keeps
// them there, the colours of its faces, checking the whole file before the reader sees
// it) and makes it the scene as TakeMeshScene does. Throws what reader and TakeMeshScene
// throw; a PLY file that breaks PLY's rules is "Invalid file!", one cut short "Read
// beyond end of file".
void LoadMeshScene(const std::string& file_name, const MeshFormat& format,
                   const MeshFileReader& reader, const std::optional<HeightLevels>& levels,
                   ViewerState& state, const ShowAngles& show_angles,
                   const RenderStop& stop = RenderStop::Never());

}  // namespace orvandel
