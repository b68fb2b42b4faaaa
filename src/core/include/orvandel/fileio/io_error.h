#pragma once

#include <string>

#include "orvandel/fileio/failure.h"

namespace orvandel {

// A failure of the file layer, carrying the text the user reads ("File access denied").
class IoError : public RuntimeFailure {
 public:
  using RuntimeFailure::RuntimeFailure;

  // The file layer's text for an operating-system error number.
  static IoError FromErrno(int error_number);
  // A read that could not deliver all the bytes of a field.
  static IoError EndOfFile();
};

}  // namespace orvandel
