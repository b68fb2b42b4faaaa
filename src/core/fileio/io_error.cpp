#include "orvandel/fileio/io_error.h"

#include <cerrno>

namespace orvandel {

IoError IoError::FromErrno(int error_number) {
  switch (error_number) {
    case ENOENT:
      return IoError("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
      return IoError("Invalid filename");
    case EMFILE:
    case ENFILE:
      return IoError("Too many open files");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return IoError("File access denied");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return IoError("Disk full");
    default:
      return IoError("I/O error " + std::to_string(error_number));
  }
}

IoError IoError::EndOfFile() {
  return IoError("Read beyond end of file");
}

}  // namespace orvandel
