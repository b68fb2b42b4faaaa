#include "orvandel/writers/output_formats.h"

#include <array>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"
#include "orvandel/writers/write_3df.h"
#include "orvandel/writers/write_asc.h"
#include "orvandel/writers/write_glb.h"
#include "orvandel/writers/write_obj.h"
#include "orvandel/writers/write_plg.h"
#include "orvandel/writers/write_ply.h"
#include "orvandel/writers/write_raw.h"
#include "orvandel/writers/write_stl.h"

namespace orvandel {
namespace {

constexpr std::array kFormats = {
    OutputFormat{"3DF", ".3df", "3DF (internal) format (*.3df)|*.3df", Write3dfFile, Write3dfMesh},
    OutputFormat{"ASC", ".asc", "ASC format (3D Studio) (*.asc)|*.asc", WriteAscFile, WriteAscMesh},
    OutputFormat{"RAW", ".raw", "RAW triangle format (no shading) (*.raw)|*.raw", WriteRawFile,
                 WriteRawMesh},
    OutputFormat{"PLG", ".plg", "PLG object format (REND386) (*.plg)|*.plg", WritePlgFile,
                 WritePlgMesh},
    OutputFormat{"STL", ".stl", "STL binary mesh (3D printing) (*.stl)|*.stl", WriteStlFile,
                 WriteStlMesh, true},
    OutputFormat{"OBJ", ".obj", "Wavefront OBJ with materials (*.obj)|*.obj", WriteObjFile,
                 WriteObjMesh, true, MaterialLibraryName},
    OutputFormat{"PLY", ".ply", "PLY binary mesh with colours (*.ply)|*.ply", WritePlyFile,
                 WritePlyMesh, true},
    OutputFormat{"GLB", ".glb", "glTF 2.0 binary (*.glb)|*.glb", WriteGlbFile, WriteGlbMesh, true},
};

}  // namespace

std::span<const OutputFormat> OutputFormats() {
  return kFormats;
}

const OutputFormat* FormatNamed(std::string_view name) {
  for (const OutputFormat& format : kFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

const OutputFormat* FindFormatForFile(std::string_view output_file_name) {
  // "terrain.3dfx" is a 3DF file: only the first four characters, dot included, count.
  const std::string extension = AsciiUpper(FileExtension(output_file_name)).substr(0, 4);
  for (const OutputFormat& format : kFormats) {
    if (extension == AsciiUpper(format.extension)) return &format;
  }
  return nullptr;
}

const OutputFormat& FormatForFile(std::string_view output_file_name) {
  const OutputFormat* format = FindFormatForFile(output_file_name);
  if (format == nullptr) throw Refusal("Invalid file extension!");
  return *format;
}

}  // namespace orvandel
