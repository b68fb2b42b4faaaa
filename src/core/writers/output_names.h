#pragma once

#include <string>
#include <string_view>

namespace orvandel {

// Names that formats write into their files, made from the output file's name.

// The name by which a file refers to another one in the same folder: what follows the
// last "/" ("maps/hill.mtl" gives "hill.mtl").
std::string_view NameInFolder(std::string_view path);

// The material library beside an OBJ file: "maps/hill.obj" gives "maps/hill.mtl", and
// "maps/my hill.obj" "maps/my_hill.mtl", a name the OBJ file's "mtllib" line can hold.
std::string MaterialLibraryName(std::string_view obj_file_name);

// The object name of a PLG file: its file name without folders, cut before the first ".",
// as the header's first field holds it (NameInText: "my hill.plg" gives "my_hill").
std::string PlgObjectName(std::string_view output_file_name);

}  // namespace orvandel
