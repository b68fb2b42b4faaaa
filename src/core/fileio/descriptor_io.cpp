#include "fileio/descriptor_io.h"

#include <unistd.h>

#include <cerrno>

#include "orvandel/fileio/io_error.h"

namespace orvandel {

void WriteAll(int fd, const char* data, std::size_t count) {
  while (count > 0) {
    const ssize_t done = ::write(fd, data, count);
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) throw IoError::FromErrno(errno);
    if (done == 0) throw IoError::FromErrno(ENOSPC);
    data += done;
    count -= static_cast<std::size_t>(done);
  }
}

void CloseChecked(int fd) {
  if (::close(fd) != 0 && errno != EINTR) throw IoError::FromErrno(errno);
}

}  // namespace orvandel
