#include "generate_main.h"

#include "orvandel/commands/generate_command.h"
#include "orvandel/commands/open_map_command.h"
#include "qimage_map.h"

namespace orvandel::cli {

void RunGenerate(const GenerateArgs& args) {
  // open the map: its headers first, then its pixels, then it becomes the current map
  MapSession map;
  CheckedMap checked = CheckMapFile(args.map_file, map);
  const std::unique_ptr<MapImage> image = ReadMapImage(args.map_file, checked.header);
  AcceptMap(map, std::move(checked));

  // generate, with OUTPUT as the save dialog's answer
  GeneratorState state;
  NoBusyIndicator no_cursor;
  const auto answer_dialog = [&](const FileDialogSettings&) {
    return std::optional(args.output_file);
  };
  RunGenerateCommand(state, map, image.get(), args.panel, answer_dialog, no_cursor, args.options,
                     args.threads);
}

}  // namespace orvandel::cli
