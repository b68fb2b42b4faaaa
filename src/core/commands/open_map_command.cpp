#include "orvandel/commands/open_map_command.h"

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"

namespace orvandel {

CheckedMap CheckMapFile(const std::string& file_name, const MapSession& session) {
  CheckedMap map{file_name, session.map_header, session.map_palette};
  const MapReadResult result = ReadMapHeader(file_name, map.header, map.palette);
  if (result != kMapUsable) throw Refusal(std::string(MapReadMessages[result]) + "!");
  // The image decoder is chosen by the extension, compared in lower case.
  const std::string extension = AsciiLower(FileExtension(file_name));
  if (extension != ".bmp") {
    throw RuntimeFailure("Unknown picture file extension (." +
                         (extension.empty() ? extension : extension.substr(1)) + ")");
  }
  return map;
}

void AcceptMap(MapSession& session, CheckedMap map) {
  session.map_header = map.header;
  session.map_palette = map.palette;
  session.MapFileName = std::move(map.file_name);
  ColourSwatches(session.map_palette, session.swatches);
}

}  // namespace orvandel
