// Feeds arbitrary bytes to the map header reader as a file: every input must end in a
// result code or a Failure, never in a crash or undefined behaviour, and a usable map
// never defines more palette entries than there are. The pixels of a usable map of
// indexes are read as stored, and its last row as colours.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "memory_file.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/mapinput/map_header.h"
#include "orvandel/mapinput/packed_map.h"

namespace {

void ReadLastRow(const orvandel::MapImage& map) {
  std::vector<orvandel::PackedColour> row(static_cast<std::size_t>(map.Width()));
  map.ReadRow(map.Height() - 1, row);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvandel;
  const MemoryFile file(data, size);
  MapHeader header;
  MapPalette palette;
  try {
    BinaryReader map_file(file.Name());
    if (ReadMapHeader(map_file, header, palette) == kMapUsable) {
      if (palette.defined_entries < 1 || palette.defined_entries > 16) std::abort();
      MapPixelDataEnd(header);
      if (IsPackedMap(header)) ReadLastRow(*ReadPackedMap(map_file, header));
    }
  } catch (const Failure&) {
  }
  return 0;
}
