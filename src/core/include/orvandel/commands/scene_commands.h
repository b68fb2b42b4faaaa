#pragma once

#include <cstdint>
#include <string>

#include "orvandel/commands/user_interface.h"
#include "orvandel/viewer/canvas.h"
#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// A picture to render on: its canvas and its size in pixels (both at least 1).
struct Picture {
  Canvas& canvas;
  std::int32_t width;
  std::int32_t height;
};

// "Open 3DF file" after its dialog, under the busy cursor: loads the scene (the reset
// angles go to show_angles), which the render window then renders as "Render now!" does
// (BackgroundRender). Throws what LoadScene throws.
void OpenSceneCommand(ViewerState& state, const std::string& file_name,
                      const ShowAngles& show_angles, BusyIndicator& busy);

// Loads a scene and renders it as view says on threads threads, with no window: what the
// command line's render does before it saves the picture. Throws what LoadScene and
// RenderScene throw, RenderStopped included.
void RenderSceneFile(const std::string& file_name, const ViewSettings& view, ThreadCount threads,
                     Picture picture, const RenderStop& stop = RenderStop::Never());

}  // namespace orvandel
