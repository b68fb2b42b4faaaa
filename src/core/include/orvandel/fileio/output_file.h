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

  // Puts two files that belong together (a mesh and its material library) in place:
  // both appear whole or neither target changes. Both temporary files are written to the
  // end before either is renamed, and the file the first one replaces is kept aside until
  // the second is in place, so that a failure of the second rename puts the first target
  // back as it was (or removes it when there was none). Throws IoError.
  friend void CommitTogether(OutputFile& first, OutputFile& second);

 protected:
  void Drain(const char* data, std::size_t count) override;

 private:
  // Writes out what is buffered and closes the temporary file; throws IoError.
  void Finish();
  // Renames the finished temporary file over the target; throws IoError.
  void PutInPlace();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  bool placed_ = false;
};

}  // namespace orvandel
