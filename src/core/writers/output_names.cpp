#include "writers/output_names.h"

#include <algorithm>

#include "orvandel/fileio/file_names.h"

namespace orvandel {
namespace {

// Longer names cannot stand in a file system; the limit keeps a header line within bounds.
constexpr std::size_t kMaxObjectName = 1024;

}  // namespace

std::string_view NameInFolder(std::string_view path) {
  return path.substr(path.rfind('/') + 1);
}

std::string MaterialLibraryName(std::string_view obj_file_name) {
  // Parted where the mtllib line parts it, so that the whole name it holds is one word.
  const std::string_view name = NameInFolder(obj_file_name);
  const std::string_view folder = obj_file_name.substr(0, obj_file_name.size() - name.size());
  const std::string_view stem = name.substr(0, name.size() - FileExtension(name).size());
  return std::string(folder) + NameInText(stem) + ".mtl";
}

std::string PlgObjectName(std::string_view output_file_name) {
  const std::string name = FileNamePart(output_file_name);
  return NameInText(name.substr(0, std::min(name.find('.'), kMaxObjectName)));
}

}  // namespace orvandel
