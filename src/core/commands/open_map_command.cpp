#include "orvandel/commands/open_map_command.h"

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"

namespace orvandel {
namespace {

// A map file that passed the checks but is not yet the current map.
struct CheckedMap {
  MapHeader header;
  MapPalette palette;
};

CheckedMap CheckMapFile(BinaryReader& file, const std::string& file_name,
                        const MapSession& session) {
  CheckedMap map{session.map_header, session.map_palette};
  const MapReadResult result = ReadMapHeader(file, map.header, map.palette);
  if (result != kMapUsable) throw Refusal(std::string(MapReadMessages[result]) + "!");
  // The image decoder is chosen by the extension, compared in lower case.
  const std::string extension = AsciiLower(FileExtension(file_name));
  if (extension != ".bmp") {
    throw RuntimeFailure("Unknown picture file extension (." +
                         (extension.empty() ? extension : extension.substr(1)) + ")");
  }
  return map;
}

void AcceptMap(MapSession& session, const CheckedMap& map, const std::string& file_name) {
  session.map_header = map.header;
  session.map_palette = map.palette;
  session.MapFileName = file_name;
  ColourSwatches(session.map_palette, session.swatches);
}

}  // namespace

void OpenMapCommand(MapSession& session, const std::string& file_name, const DecodeMap& decode) {
  BinaryReader file(file_name);
  const CheckedMap checked = CheckMapFile(file, file_name, session);
  decode(file, checked.header);
  AcceptMap(session, checked, file_name);
}

}  // namespace orvandel
