#pragma once

#include <string>
#include <string_view>

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The colour code of a polygon of this height class ("0x18e0").
std::string_view PlgColourCode(int height_class);

// The object name of a PLG file: its file name without folders, cut before the first ".",
// as the header's first field holds it (NameInText: "my hill.plg" gives "my_hill").
std::string PlgObjectName(std::string_view output_file_name);

// A REND386 object: the header "name vertices polygons", one line of integers
// (-R(5000 x), 3 R(5000 h), R(5000 y)) per vertex, R rounding halves to even, and one line
// "colour 3 a b c" per triangle.
void WritePlgMesh(const MeshSource& source, ByteSink& out);

// Writes OutputFileName as PLG; see RunMeshWrite() for failures.
void WritePlgFile(const WriteRequest& request);

}  // namespace orvandel
