#pragma once

#include "render_args.h"

namespace orvandel::cli {

// Loads SCENE as "Open 3DF file" does, sets the angles, the zoom and the wire-frame mode,
// renders the scene on a picture of the given size and saves it as a 24-bit BMP file.
// Throws Failure; no picture file is written then.
void RunRender(const RenderArgs& args);

}  // namespace orvandel::cli
