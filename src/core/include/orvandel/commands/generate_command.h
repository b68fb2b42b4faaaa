#pragma once

#include <string>

#include "orvandel/commands/user_interface.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/map_session.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The save dialog of the generate command for the chosen output item ("3DF", "ASC", ...):
// its filter first, then those of the true-scale formats; its default extension ("3df")
// is the item's format's own.
FileDialogSettings GenerateDialogSettings(const std::string& output_item);

// Refuses to generate without a map (Refusal "No map loaded!") or with a settings field
// not filled in (Refusal "One or more important values not set!", naming the field).
void CheckReadyToGenerate(const MapSession& map, const MapImage* map_image,
                          const PanelTexts& panel);

// The generate command: checks that a map is loaded and the settings are filled in, asks
// for the output file (a cancel ends the command quietly), reads the settings, lays out
// the grid and runs the writer of the file's extension under the busy cursor, sampling and
// writing on threads threads (the file is the same for any count). map_image is the map as
// shown; it is not used when no map is loaded. options shape the true-scale formats; the
// others ignore them. Throws Refusal or RuntimeFailure with the message that ends the
// command.
void RunGenerateCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                        const PanelTexts& panel, const ChooseFile& choose_output,
                        BusyIndicator& busy, const MeshOptions& options = {},
                        ThreadCount threads = DefaultThreadCount());

}  // namespace orvandel
