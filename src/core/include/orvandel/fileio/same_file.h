#pragma once

#include <string>

namespace orvandel {

// Whether both names stand for one file (the same device and inode), links followed. A
// name without a file is no other file.
bool IsSameFile(const std::string& one, const std::string& other);

// Throws Refusal "The output file is the input file!" when output names the file input
// does, so that a command never writes over what it reads.
void RefuseOutputOverInput(const std::string& input, const std::string& output);

}  // namespace orvandel
