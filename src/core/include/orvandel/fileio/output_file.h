#pragma once

#include <string>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// An output file that appears only when it is whole. The bytes go to a temporary file
// beside the target; Commit() renames it over the target. When the object goes away
// without a commit (a failure on the way), the temporary file is removed and an existing
// target is left untouched. Failures throw the IoError of the OS error; a target that
// exists but may not be written is refused with "File access denied" before anything
// is created.
class OutputFile : public ByteSink {
 public:
  explicit OutputFile(std::string target);
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Commit();

 protected:
  void Drain(const char* data, std::size_t count) override;

 private:
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
};

}  // namespace orvandel
