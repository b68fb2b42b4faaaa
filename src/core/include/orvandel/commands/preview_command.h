#pragma once

#include <optional>

#include "orvandel/commands/user_interface.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/map_session.h"
#include "orvandel/viewer/mesh_scene.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// "Preview terrain": the generate command without a file. Checks the map and the settings,
// reads them and lays out the grid into state as generating does, with the same refusals
// and messages, then, under the busy cursor, makes the mesh that a 3DF file of the same
// settings holds the scene of viewer, straight from the sampled grid on threads threads,
// as opening that file would load it: EyeDistance derived from its size and the view
// angles reset. viewer is meant to be a state apart (CopyWithoutScene of the one shown),
// which the front end takes over once the preview is whole (TakeLoadedScene). Throws
// Refusal or RuntimeFailure with the message that ends it: those of generating, and those
// of loading the 3DF file ("Invalid file!" for a grid without a triangle, "Division by
// zero!").
void PreviewTerrainCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                           const PanelTexts& panel, ViewerState& viewer, BusyIndicator& busy,
                           ThreadCount threads = DefaultThreadCount());

// The water, lawn and snow levels that the panel's fields hold, which class the faces of a
// mesh file without colours of its own; nothing while one of them holds no number.
std::optional<HeightLevels> PanelLevels(const PanelTexts& panel);

}  // namespace orvandel
