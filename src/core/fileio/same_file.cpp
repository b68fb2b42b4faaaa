#include "orvandel/fileio/same_file.h"

#include <sys/stat.h>

#include "orvandel/fileio/failure.h"

namespace orvandel {

bool IsSameFile(const std::string& one, const std::string& other) {
  struct stat first {};
  struct stat second {};
  if (::stat(one.c_str(), &first) != 0 || ::stat(other.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void RefuseOutputOverInput(const std::string& input, const std::string& output) {
  if (IsSameFile(input, output)) throw Refusal("The output file is the input file!");
}

}  // namespace orvandel
