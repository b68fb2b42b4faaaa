#pragma once

#include <string>

namespace orvandel {

// The file an output name stands for, symbolic links followed, and how it is written.
struct OutputTarget {
  enum class Kind {
    kNew,      // no file yet: a whole new file is given the name
    kRegular,  // a file with one name: a whole new file replaces it
    kLinked,   // a file with more than one name: it is overwritten, so every name sees it
    kStream,   // a character device or a pipe: the bytes go straight to it
  };
  std::string path;
  Kind kind = Kind::kNew;
};

// Follows the symbolic links of name to the file they end at, which need not exist (a
// dangling link gets its file). Throws IoError: "Invalid filename" for a loop of links,
// "File access denied" for a folder, a block device or a socket.
OutputTarget FindOutputTarget(const std::string& name);

// The folder part of a path with its final "/", or "" for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace orvandel
