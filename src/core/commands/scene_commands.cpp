#include "orvandel/commands/scene_commands.h"

#include <utility>

#include "orvandel/fileio/file_names.h"
#include "orvandel/viewer/render_scene.h"

namespace orvandel {
namespace {

// The angles are not shown as a load resets them: it runs apart from the state shown and
// may yet fail, or runs without a window.
void ShowNoAngles(AnglePair) {}

}  // namespace

void LoadSceneFrom(const SceneSource& source, ViewerState& state, const RenderStop& stop) {
  const MeshFormat* format = MeshFormatForFile(source.file_name);
  if (format == nullptr) {
    LoadScene(source.file_name, state, ShowNoAngles, stop);
  } else {
    LoadMeshScene(source.file_name, *format, source.mesh_reader, source.levels, state, ShowNoAngles,
                  stop);
  }
}

FileDialogSettings OpenSceneDialogSettings() {
  std::string all = "*.3df";
  std::string each = "3DF files|*.3df";
  for (const MeshFormat& format : MeshFormats()) {
    const std::string pattern = "*" + std::string(format.extension);
    all += " " + pattern;
    each += "|" + AsciiUpper(format.extension.substr(1)) + " files|" + pattern;
  }
  return {"Open 3DF file", "3DF and mesh files|" + all + "|" + each, "3df"};
}

void TakeLoadedScene(ViewerState& state, ViewerState&& loaded) {
  state.SceneFaces = std::move(loaded.SceneFaces);
  state.EyeDistance = loaded.EyeDistance;
  ResetViewAngles(state);
}

void OpenSceneCommand(ViewerState& state, const SceneSource& source, const ShowAngles& show_angles,
                      BusyIndicator& busy, const RenderStop& stop) {
  const BusyScope busy_cursor(busy);
  ViewerState loaded = CopyWithoutScene(state);
  LoadSceneFrom(source, loaded, stop);
  TakeLoadedScene(state, std::move(loaded));
  show_angles(TargetAngles(state));
}

void RenderSceneFile(const SceneSource& source, const ViewSettings& view, ThreadCount threads,
                     Picture picture, const RenderStop& stop) {
  ViewerState state;
  state.threads = threads;
  LoadSceneFrom(source, state, stop);
  ApplyView(state, view);
  RenderScene(state, picture.canvas, picture.width, picture.height, stop);
}

}  // namespace orvandel
