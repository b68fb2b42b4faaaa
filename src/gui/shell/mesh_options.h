#pragma once

#include <optional>

#include "orvandel/writers/output_formats.h"
#include "settings/desktop_settings.h"
#include "shell/user_dialogs.h"

namespace orvandel::gui {

// Asks for the options of a mesh at true scale (STL, OBJ, PLY, GLB, 3MF) in the format in
// the "Mesh options" dialog, prefilled with the texts of the last use; the up axis only
// where the format allows a choice. An empty text leaves its option out,
// as leaving it off the command line does; any other text is checked as orvandel-cli checks
// its option, and a refused one is shown with the command line's message before the
// dialog comes again. Nothing when the user cancels.
std::optional<MeshOptions> AskMeshOptions(UserDialogs& dialogs, DesktopSettings& settings,
                                          const OutputFormat& format);

}  // namespace orvandel::gui
