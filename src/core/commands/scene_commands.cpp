#include "orvandel/commands/scene_commands.h"

#include "orvandel/viewer/render_scene.h"

namespace orvandel {

void OpenSceneCommand(ViewerState& state, const std::string& file_name,
                      const ShowAngles& show_angles, BusyIndicator& busy) {
  const BusyScope busy_cursor(busy);
  LoadScene(file_name, state, show_angles);
}

void RenderSceneFile(const std::string& file_name, const ViewSettings& view, ThreadCount threads,
                     Picture picture, const RenderStop& stop) {
  ViewerState state;
  state.threads = threads;
  LoadScene(file_name, state, [](AnglePair) {});  // no arrows to show the angles in
  ApplyView(state, view);
  RenderScene(state, picture.canvas, picture.width, picture.height, stop);
}

}  // namespace orvandel
