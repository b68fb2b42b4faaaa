#pragma once

#include <span>
#include <string_view>

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// One mesh format the generate command can write.
struct OutputFormat {
  std::string_view name;       // as the control panel's Output group lists it: "3DF"
  std::string_view extension;  // with its dot, as files of the format are named: ".3df"
  std::string_view filter;     // the save dialog's filter: "Description|*.ext"
  void (*write)(const WriteRequest& request);  // writes OutputFileName
  MeshBody body;  // writes the mesh into a sink, for measuring it on its own
};

// Every output format, in the order of the control panel's Output group.
std::span<const OutputFormat> OutputFormats();

// The format of that name, or null.
const OutputFormat* FormatNamed(std::string_view name);

// The format that the output file's extension selects: its first four characters,
// upper-cased, compared with each format's extension. Throws Refusal
// "Invalid file extension!" when none matches.
const OutputFormat& FormatForFile(std::string_view output_file_name);

}  // namespace orvandel
