#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvandel {

// The bytes as a file in memory; the readers open it by name like any other.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : fd_(memfd_create("input", 0)) {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t wrote = write(fd_, bytes.data() + done, bytes.size() - done);
      if (wrote <= 0) break;
      done += static_cast<std::size_t>(wrote);
    }
  }
  MemoryFile(const std::uint8_t* data, std::size_t size)
      : MemoryFile(std::string_view(reinterpret_cast<const char*>(data), size)) {}
  ~MemoryFile() { close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::string Name() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

// A memory file under a name that ends in extension, for readers that look at the name:
// a link in the temporary folder, one per process, made again for every file.
class NamedMemoryFile {
 public:
  NamedMemoryFile(std::string_view bytes, const std::string& extension)
      : file_(bytes), link_("/tmp/orvandel-fuzz-" + std::to_string(getpid()) + extension) {
    unlink(link_.c_str());
    if (symlink(file_.Name().c_str(), link_.c_str()) != 0) link_ = file_.Name();
  }
  ~NamedMemoryFile() { unlink(link_.c_str()); }
  NamedMemoryFile(const NamedMemoryFile&) = delete;
  NamedMemoryFile& operator=(const NamedMemoryFile&) = delete;

  const std::string& Name() const { return link_; }

 private:
  MemoryFile file_;
  std::string link_;
};

}  // namespace orvandel
