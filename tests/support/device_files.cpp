#include "device_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <stdexcept>

namespace orvandel::test {

std::string DeviceLike(const TempDir& dir, const std::string& system_device) {
  if (::geteuid() != 0) return system_device;
  struct stat info {};
  if (::stat(system_device.c_str(), &info) != 0) throw std::runtime_error("no " + system_device);
  const std::string node = dir.File(system_device.substr(system_device.rfind('/') + 1));
  if (::mknod(node.c_str(), S_IFCHR | 0666, info.st_rdev) != 0) {
    throw std::runtime_error("cannot make " + node);
  }
  return node;
}

bool IsCharacterDevice(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool UnnamedFilesWorkIn(const std::string& folder) {
#ifdef O_TMPFILE
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
#else
  return false;
#endif
}

}  // namespace orvandel::test
