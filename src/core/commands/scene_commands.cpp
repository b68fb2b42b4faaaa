#include "orvandel/commands/scene_commands.h"

#include <utility>

#include "orvandel/viewer/render_scene.h"

namespace orvandel {
namespace {

// Loads the scene of source into state as its file's extension says.
void LoadSceneOf(const SceneSource& source, ViewerState& state, const ShowAngles& show_angles,
                 const RenderStop& stop) {
  const MeshFormat* format = MeshFormatForFile(source.file_name);
  if (format == nullptr) {
    LoadScene(source.file_name, state, show_angles, stop);
  } else {
    LoadMeshScene(source.file_name, *format, source.mesh_reader, source.levels, state, show_angles,
                  stop);
  }
}

// For loads whose angles are not shown as they are reset: loads apart from the state shown,
// which may yet fail, and loads without a window.
void ShowNoAngles(AnglePair) {}

}  // namespace

void OpenSceneCommand(ViewerState& state, const SceneSource& source, const ShowAngles& show_angles,
                      BusyIndicator& busy, const RenderStop& stop) {
  const BusyScope busy_cursor(busy);
  ViewerState loaded = CopyWithoutScene(state);
  LoadSceneOf(source, loaded, ShowNoAngles, stop);
  state = std::move(loaded);
  show_angles(TargetAngles(state));
}

void RenderSceneFile(const SceneSource& source, const ViewSettings& view, ThreadCount threads,
                     Picture picture, const RenderStop& stop) {
  ViewerState state;
  state.threads = threads;
  LoadSceneOf(source, state, ShowNoAngles, stop);
  ApplyView(state, view);
  RenderScene(state, picture.canvas, picture.width, picture.height, stop);
}

}  // namespace orvandel
