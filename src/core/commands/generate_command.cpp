#include "orvandel/commands/generate_command.h"

#include <algorithm>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/same_file.h"
#include "orvandel/generator/field_fault.h"
#include "orvandel/generator/field_text.h"
#include "orvandel/generator/read_generator_settings.h"
#include "orvandel/writers/output_formats.h"

namespace orvandel {
namespace {

// The first blank field is the one at fault.
void CheckSettingsFilledIn(const PanelTexts& panel) {
  const auto blank = std::find_if(panel.settings.begin(), panel.settings.end(), IsBlankField);
  if (blank == panel.settings.end()) return;
  const auto field = static_cast<SettingsField>(blank - panel.settings.begin());
  throw FieldFailure<Refusal>("One or more important values not set!", SettingField(field));
}

// The chosen format's filter (none for an unknown item), then those of the true-scale ones.
std::string FilterFor(const OutputFormat* chosen) {
  std::string filter = chosen == nullptr ? std::string() : std::string(chosen->filter);
  for (const OutputFormat& format : OutputFormats()) {
    if (!format.true_scale || &format == chosen) continue;
    filter += (filter.empty() ? "" : "|") + std::string(format.filter);
  }
  return filter;
}

// Neither the output file nor the file written beside it may be the map itself.
void RefuseWritingOverMap(const MapSession& map, const OutputFormat& format,
                          const std::string& output) {
  RefuseOutputOverInput(map.MapFileName, output);
  if (format.companion != nullptr) {
    RefuseOutputOverInput(map.MapFileName, format.companion(output));
  }
}

}  // namespace

// The default extension is the format's own, in the small letters that its files carry.
FileDialogSettings GenerateDialogSettings(const std::string& output_item) {
  const OutputFormat* format = FormatNamed(output_item);
  return {"Generate 3D file", FilterFor(format),
          format == nullptr ? "" : std::string(format->extension.substr(1))};
}

void CheckReadyToGenerate(const MapSession& map, const MapImage* map_image,
                          const PanelTexts& panel) {
  if (map.MapFileName.empty() || map_image == nullptr) throw Refusal("No map loaded!");
  CheckSettingsFilledIn(panel);
}

void RunGenerateCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                        const PanelTexts& panel, const ChooseFile& choose_output,
                        BusyIndicator& busy, const MeshOptions& options, ThreadCount threads) {
  CheckReadyToGenerate(map, map_image, panel);
  const std::optional<std::string> chosen =
      choose_output(GenerateDialogSettings(panel.output_item));
  if (!chosen) return;
  state.OutputFileName = *chosen;
  ReadGeneratorSettings(panel, map_image->Width(), map_image->Height(), state);
  const OutputFormat& format = FormatForFile(state.OutputFileName);
  RefuseWritingOverMap(map, format, state.OutputFileName);
  // Refuses a write without any height before the cursor changes or a file is touched.
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  const BusyScope busy_cursor(busy);
  format.WriteFile(WriteRequest{state, *map_image, map.swatches, prep, options, threads});
}

}  // namespace orvandel
