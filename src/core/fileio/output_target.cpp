#include "fileio/output_target.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

// As many links as the system itself follows before it calls the chain a loop.
constexpr int kMaxLinks = 40;

// What the symbolic link at path points to, as a path from the working folder.
std::string LinkDestination(const std::string& path) {
  std::vector<char> text(PATH_MAX);
  const ssize_t size = ::readlink(path.c_str(), text.data(), text.size());
  if (size < 0) throw IoError::FromErrno(errno);
  if (static_cast<std::size_t>(size) == text.size()) throw IoError::FromErrno(ENAMETOOLONG);
  const std::string destination(text.data(), static_cast<std::size_t>(size));
  return destination.starts_with('/') ? destination : FolderOf(path) + destination;
}

bool IsStream(const struct stat& info) {
  return S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode);
}

OutputTarget::Kind KindOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) {
    return info.st_nlink > 1 ? OutputTarget::Kind::kLinked : OutputTarget::Kind::kRegular;
  }
  if (IsStream(info)) return OutputTarget::Kind::kStream;
  throw IoError::FromErrno(S_ISDIR(info.st_mode) ? EISDIR : EACCES);
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

OutputTarget FindOutputTarget(const std::string& name) {
  // A stream is opened by the name given: the links of /proc/self/fd/ lead to pipes that
  // have no path of their own.
  struct stat opened {};
  if (::stat(name.c_str(), &opened) == 0 && IsStream(opened)) {
    return {name, OutputTarget::Kind::kStream};
  }
  std::string path = name;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return {path, OutputTarget::Kind::kNew};
      throw IoError::FromErrno(errno);
    }
    if (!S_ISLNK(info.st_mode)) return {path, KindOf(info)};
    path = LinkDestination(path);
  }
  throw IoError::FromErrno(ELOOP);
}

}  // namespace orvandel
