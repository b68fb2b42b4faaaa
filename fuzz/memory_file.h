#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvandel {

// The bytes as a file in memory; the loader opens it by name like any other.
class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : fd_(memfd_create("scene", 0)) {
    for (std::size_t done = 0; done < size;) {
      const ssize_t wrote = write(fd_, data + done, size - done);
      if (wrote <= 0) break;
      done += static_cast<std::size_t>(wrote);
    }
  }
  ~MemoryFile() { close(fd_); }
  std::string Name() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

}  // namespace orvandel
