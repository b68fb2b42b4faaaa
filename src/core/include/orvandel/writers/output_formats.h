#pragma once

#include <span>
#include <string>
#include <string_view>

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// One mesh format the generate command can write: one row of the format table
// (output_formats.cpp), whose body is written in the format's own file (write_stl.cpp).
struct OutputFormat {
  std::string_view name;       // as the control panel's Output group lists it: "3DF"
  std::string_view extension;  // with its dot, as files of the format are named: ".3df"
  std::string_view filter;     // the save dialog's filter: "Description|*.ext"
  MeshBody body;               // writes the mesh into a sink
  // A mesh for today's 3D tools, in map units at true scale, shaped by MeshOptions. The
  // control panel's Output group lists only the other formats; the save dialog offers
  // these after the chosen one.
  bool true_scale = false;
  // The up axis of a true-scale file, unless the user chooses one: the axis the tools that
  // read the format take as up. A format whose up_fixed takes no other (glTF: y).
  UpAxis up = UpAxis::kZ;
  bool up_fixed = false;
  // The file written beside the output file, if the format writes one: its name.
  std::string (*companion)(std::string_view output_file_name) = nullptr;
  // Writes OutputFileName with body, and the companion file if there is one.
  FileWrite write = RunMeshWrite;

  // The options as this format applies them: the up axis the user chose where the format
  // allows a choice, otherwise its own.
  MeshOptions Shaping(MeshOptions options) const {
    if (!options.up || up_fixed) options.up = up;
    return options;
  }
  // Writes the mesh of source into out in this format, as Shaping() shapes it; throws what
  // body throws.
  void WriteMesh(MeshSource source, ByteSink& out) const {
    source.options = Shaping(source.options);
    body(source, out);
  }
  // Writes OutputFileName in this format, as Shaping() shapes it; throws what write throws.
  void WriteFile(WriteRequest request) const {
    request.options = Shaping(request.options);
    write(request, body);
  }
};

// Whether the user may choose the up axis of the format's files.
inline bool TakesUpAxis(const OutputFormat& format) {
  return format.true_scale && !format.up_fixed;
}

// Every output format: those of the control panel's Output group in its order, then the
// true-scale ones.
std::span<const OutputFormat> OutputFormats();

// The format of that name, or null.
const OutputFormat* FormatNamed(std::string_view name);

// The format that the output file's extension selects (see FormatForFile()), or null.
const OutputFormat* FindFormatForFile(std::string_view output_file_name);

// The format that the output file's extension selects: its first four characters,
// upper-cased, compared with each format's extension. Throws Refusal
// "Invalid file extension!" when none matches.
const OutputFormat& FormatForFile(std::string_view output_file_name);

}  // namespace orvandel
