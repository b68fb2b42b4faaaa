#include "generate_main.h"

#include "orvandel/commands/generate_command.h"
#include "orvandel/commands/open_map_command.h"
#include "qimage_map.h"

namespace orvandel::cli {

void RunGenerate(const GenerateArgs& args) {
  // open the map: its headers, then its pixels as stored, from the one open file
  MapSession map;
  std::unique_ptr<MapImage> image;
  OpenMapCommand(map, args.map_file, [&image](BinaryReader& file, const MapHeader& header) {
    image = ReadMapImage(file, header);
  });

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
