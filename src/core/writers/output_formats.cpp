#include "orvandel/writers/output_formats.h"

#include <array>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/file_names.h"
#include "writers/output_names.h"

namespace orvandel {

// Each format's body, in its own file (write_3df.cpp, ...), where its comment says what the
// format holds.
void Write3dfMesh(const MeshSource& source, ByteSink& out);
void WriteAscMesh(const MeshSource& source, ByteSink& out);
void WriteRawMesh(const MeshSource& source, ByteSink& out);
void WritePlgMesh(const MeshSource& source, ByteSink& out);
void WriteStlMesh(const MeshSource& source, ByteSink& out);
void WriteObjMesh(const MeshSource& source, ByteSink& out);
void WriteObjFile(const WriteRequest& request, MeshBody body);
void WritePlyMesh(const MeshSource& source, ByteSink& out);
void WriteGlbMesh(const MeshSource& source, ByteSink& out);
void Write3mfMesh(const MeshSource& source, ByteSink& out);

namespace {

constexpr std::array kFormats = {
    OutputFormat{"3DF", ".3df", "3DF (internal) format (*.3df)|*.3df", Write3dfMesh},
    OutputFormat{"ASC", ".asc", "ASC format (3D Studio) (*.asc)|*.asc", WriteAscMesh},
    OutputFormat{"RAW", ".raw", "RAW triangle format (no shading) (*.raw)|*.raw", WriteRawMesh},
    OutputFormat{"PLG", ".plg", "PLG object format (REND386) (*.plg)|*.plg", WritePlgMesh},
    OutputFormat{"STL", ".stl", "STL binary mesh (3D printing) (*.stl)|*.stl", WriteStlMesh, true},
    OutputFormat{"OBJ", ".obj", "Wavefront OBJ with materials (*.obj)|*.obj", WriteObjMesh, true,
                 UpAxis::kY, false, MaterialLibraryName, WriteObjFile},
    OutputFormat{"PLY", ".ply", "PLY binary mesh with colours (*.ply)|*.ply", WritePlyMesh, true},
    OutputFormat{"GLB", ".glb", "glTF 2.0 binary (*.glb)|*.glb", WriteGlbMesh, true, UpAxis::kY,
                 true},
    OutputFormat{"3MF", ".3mf", "3MF with colours (3D printing) (*.3mf)|*.3mf", Write3mfMesh, true},
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
