#pragma once

#include <cstdint>

#include "fileio/chunked_memory.h"
#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// A part of a package whose bytes are already deflated (see DeflatingSink).
struct DeflatedPart {
  ChunkedMemory& deflated;
  std::uint32_t crc32 = 0;
  std::uint64_t size = 0;  // before deflating
};

// Writes the zip package of a 3MF file into out: its content types, its relationship to
// the model, and the model part "3D/3dmodel.model". The package is the same for the same
// model: every part is dated 1 January 1980, the earliest date a zip file holds. Throws
// std::bad_alloc when memory runs out.
void WriteThreeMfPackage(const DeflatedPart& model, ByteSink& out);

}  // namespace orvandel
