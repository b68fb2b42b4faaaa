#pragma once

#include <functional>
#include <optional>
#include <string>

#include "orvandel/generator/busy_indicator.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/map_session.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// How a file dialog is set up before it is shown.
struct FileDialogSettings {
  std::string title;
  std::string filter;
  std::string default_extension;
};

// Shows the save dialog; returns the chosen name, or nothing when the user cancels.
using ChooseOutputFile = std::function<std::optional<std::string>(const FileDialogSettings&)>;

// The save dialog of the generate command for the chosen output item ("3DF", "ASC", ...).
FileDialogSettings GenerateDialogSettings(const std::string& output_item);

// One mesh writer.
using MeshWriter = void (*)(const WriteRequest& request);

// The writer that the output file's extension selects: its first four characters,
// upper-cased, compared with ".3DF", ".RAW", ".ASC" and ".PLG". Throws Refusal
// "Invalid file extension!" when none matches.
MeshWriter WriterForFile(const std::string& output_file_name);

// The generate command: checks that a map is loaded and the settings are filled in, asks
// for the output file (a cancel ends the command quietly), reads the settings, lays out
// the grid and runs the writer of the file's extension. map_image is the map as shown;
// it is not used when no map is loaded. Throws Refusal or RuntimeFailure with the
// message that ends the command.
void RunGenerateCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                        const PanelTexts& panel, const ChooseOutputFile& choose_output,
                        BusyIndicator& busy);

}  // namespace orvandel
