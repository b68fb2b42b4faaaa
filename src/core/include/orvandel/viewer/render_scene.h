#pragma once

#include <cstdint>

#include "orvandel/viewer/canvas.h"
#include "orvandel/viewer/project_scene.h"
#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// The face colours' lighting: ambient, diffuse and specular shares and the specular
// exponent.
inline constexpr float kAmbient = 0.2f;
inline constexpr float kDiffuse = 0.4f;
inline constexpr float kSpecular = 0.4f;
inline constexpr float kSpecularExponent = 0.5f;

inline constexpr PackedColour kWireColour = 0x00FFFFFF;

// Draws every face of state.SceneFaces, rotated as projection says, in scene order at
// state.Zoom: filled and outlined in its ShadeFace colour when state.Shaded, else outlined
// in white with the brush clear. In file order later faces cover earlier ones; in depth
// order (state.paint_order) the nearer face shows at every pixel, the later one where
// they lie equally near, and the wire frame shows only the edges no face hides. Nothing
// is sorted or culled. Each vertex is placed on the picture once and each face shaded at
// most once (in depth order only the faces that show), shared among state.threads
// threads; the canvas is used from the calling thread only. Needs the projection of the
// same scene just before. Throws RenderStopped once stop is stopped,
// leaving the picture partly drawn; otherwise fails only as the canvas does.
void Draw_and_View(const Projection& projection, const ViewerState& state, Canvas& canvas,
                   const RenderStop& stop = RenderStop::Never());

// Paints the whole width x height picture black, its last column and row included.
void ClearPicture(Canvas& canvas, std::int32_t width, std::int32_t height);

// The render sequence of every caller: Project_Scene, ClearPicture, Draw_and_View, on a
// picture of width x height pixels (both at least 1). With no scene the picture is only
// cleared. Throws Refusal "Division by zero!" from Project_Scene, before the picture is
// touched; the scene is then discarded. Throws RenderStopped as Draw_and_View does, or
// before the picture is touched when stop is already stopped.
void RenderScene(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height,
                 const RenderStop& stop = RenderStop::Never());

// What "Render now!" does: RenderScene with the canvas brush's colour and style put back
// as they were afterwards, also when the render fails or is stopped.
void RenderNow(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height,
               const RenderStop& stop = RenderStop::Never());

}  // namespace orvandel
