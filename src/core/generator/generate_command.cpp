#include "orvandel/generator/generate_command.h"

#include <algorithm>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"
#include "orvandel/generator/field_text.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/write_3df.h"
#include "orvandel/writers/write_asc.h"
#include "orvandel/writers/write_plg.h"
#include "orvandel/writers/write_raw.h"

namespace orvandel {
namespace {

std::string FilterForItem(const std::string& output_item) {
  switch (output_item.empty() ? '\0' : output_item[0]) {
    case '3':
      return "3DF (internal) format (*.3df)|*.3df";
    case 'A':
      return "ASC format (3D Studio) (*.asc)|*.asc";
    case 'R':
      return "RAW triangle format (no shading) (*.raw)|*.raw";
    case 'P':
      return "PLG object format (REND386) (*.plg)|*.plg";
    default:
      return "";
  }
}

void CheckSettingsFilledIn(const PanelTexts& panel) {
  if (std::any_of(panel.settings.begin(), panel.settings.end(), IsBlankField)) {
    throw Refusal("One or more important values not set!");
  }
}

}  // namespace

FileDialogSettings GenerateDialogSettings(const std::string& output_item) {
  return {"Generate 3D file", FilterForItem(output_item), output_item.substr(0, 4)};
}

MeshWriter WriterForFile(const std::string& output_file_name) {
  const std::string extension = AsciiUpper(FileExtension(output_file_name)).substr(0, 4);
  if (extension == ".3DF") return Write3dfFile;
  if (extension == ".RAW") return WriteRawFile;
  if (extension == ".ASC") return WriteAscFile;
  if (extension == ".PLG") return WritePlgFile;
  throw Refusal("Invalid file extension!");
}

void RunGenerateCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                        const PanelTexts& panel, const ChooseOutputFile& choose_output,
                        BusyIndicator& busy) {
  if (map.map_file_name.empty() || map_image == nullptr) throw Refusal("No map loaded!");
  CheckSettingsFilledIn(panel);
  const std::optional<std::string> chosen =
      choose_output(GenerateDialogSettings(panel.output_item));
  if (!chosen) return;
  state.output_file_name = *chosen;
  ReadGeneratorSettings(panel, map_image->Width(), map_image->Height(), state);
  const MeshWriter writer = WriterForFile(state.output_file_name);
  writer(WriteRequest{state, *map_image, map.swatches, busy});
}

}  // namespace orvandel
