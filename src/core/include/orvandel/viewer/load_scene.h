#pragma once

#include <functional>
#include <string>

#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// Shows an angle pair in the render window's up-down controls.
using ShowAngles = std::function<void(AnglePair)>;

// Loads the 3DF file file_name into state.SceneFaces, as "Open 3DF file" does after its
// file dialog: discards the previous scene first, then reads the vertices (updating
// EyeDistance from the bounding box of all of them and resetting the four view angles to
// observer 20, 60 and sun 90, 180, whose target pair goes to show_angles) and the
// triangles. The scene keeps the vertices that faces name, in file order, each once.
//
// Throws, with the scene left empty unless said otherwise:
// - Refusal "Invalid file!": a vertex or triangle count of 0 or less, or a vertex that is
//   not a finite number. A refused vertex count leaves the angles untouched.
// - Refusal "Division by zero!": all vertices at one point (after the angles are reset and
//   shown). The next load derives EyeDistance afresh.
// - IoError: the file cannot be opened or read, or ends early ("Read beyond end of file").
// - RuntimeFailure "List index out of bounds": a triangle names a vertex the file does not
//   hold.
// After the last two while reading triangles, the faces read so far stay as the scene.
// - RenderStopped: stop was stopped; the load ends within a few thousand records.
// No count in the file is trusted for allocation.
void LoadScene(const std::string& file_name, ViewerState& state, const ShowAngles& show_angles,
               const RenderStop& stop = RenderStop::Never());

}  // namespace orvandel
