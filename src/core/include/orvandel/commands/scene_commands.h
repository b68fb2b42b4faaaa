#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "orvandel/commands/user_interface.h"
#include "orvandel/viewer/canvas.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/mesh_scene.h"
#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// A picture to render on: its canvas and its size in pixels (both at least 1).
struct Picture {
  Canvas& canvas;
  std::int32_t width;
  std::int32_t height;
};

// A scene file and what showing it takes: a 3DF file, or a mesh file of today's tools
// (by its extension, see MeshFormatForFile) read through mesh_reader and, where its faces
// have no colours, classed by levels.
struct SceneSource {
  std::string file_name;
  const MeshFileReader& mesh_reader;
  std::optional<HeightLevels> levels;
};

// Loads the scene of source into state as its file's extension says (see LoadScene and
// LoadMeshScene), showing the reset angles nowhere: the load of OpenSceneCommand, for a
// front end that runs it on a thread of its own into a state apart (CopyWithoutScene of
// the state shown) and swaps that in once the load is whole. Throws what LoadScene and
// LoadMeshScene throw, RenderStopped included.
void LoadSceneFrom(const SceneSource& source, ViewerState& state,
                   const RenderStop& stop = RenderStop::Never());

// The open dialog of "Open 3DF file": every file the viewer shows first (3DF and the mesh
// formats of MeshFormats), then each kind alone; default extension "3df".
FileDialogSettings OpenSceneDialogSettings();

// Makes the scene of a load run apart (LoadSceneFrom, PreviewTerrainCommand) the scene of
// state: its faces, its EyeDistance and its reset view angles, while the rest of the view
// stays as the user left it meanwhile. Needs no render running on state.
void TakeLoadedScene(ViewerState& state, ViewerState&& loaded);

// "Open 3DF file" after its dialog, under the busy cursor: loads the scene, which the
// render window then renders as "Render now!" does (BackgroundRender). Only a whole load
// changes state: the new scene, EyeDistance and the reset angles, which then go to
// show_angles. Throws what LoadScene and LoadMeshScene throw, RenderStopped included,
// leaving state as it was.
void OpenSceneCommand(ViewerState& state, const SceneSource& source, const ShowAngles& show_angles,
                      BusyIndicator& busy, const RenderStop& stop = RenderStop::Never());

// Loads a scene and renders it as view says on threads threads, with no window: what the
// command line's render does before it saves the picture. Throws what LoadScene,
// LoadMeshScene and RenderScene throw, RenderStopped included.
void RenderSceneFile(const SceneSource& source, const ViewSettings& view, ThreadCount threads,
                     Picture picture, const RenderStop& stop = RenderStop::Never());

}  // namespace orvandel
