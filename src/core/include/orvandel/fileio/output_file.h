#pragma once

#include <memory>
#include <string>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

class TemporaryFile;

// Whether name (links followed) is a character device or a pipe, such as /dev/null: a
// stream that takes the bytes as they come, whatever its name.
bool IsStreamOutput(const std::string& name);

// An output file that changes only when it is whole. A name that is a symbolic link
// stands for the file the link ends at, and the link stays. How the bytes get there
// depends on that file:
// - a regular file, or none yet: the bytes go to a temporary file beside it (see
//   TemporaryFile) that Commit() renames over it;
// - a regular file with more than one name (hard links): the whole temporary file is
//   copied into it by Commit(), so that every name sees the new content;
// - a character device or a pipe (/dev/null, a FIFO): the bytes go straight to it;
// - a writable regular file in a folder that refuses new files: the file is overwritten
//   in place, as programs did before atomic writes.
// When the object goes away without a commit (a failure on the way), the temporary file
// is removed and an existing target is left untouched. Failures throw the IoError of the
// OS error; a target that exists but may not be written is refused with "File access
// denied" before anything is created.
class OutputFile : public ByteSink {
 public:
  explicit OutputFile(const std::string& target);
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Commit();

  // Puts two files that belong together (a mesh and its material library) in place:
  // when both replace regular files (or none), both appear whole or neither target
  // changes. Both temporary files are written to the end before either is renamed, and
  // the file the first one replaces is kept aside until the second is in place, so that a
  // failure of the second rename puts the first target back as it was (or removes it when
  // there was none). Other targets are committed one after the other. Throws IoError.
  friend void CommitTogether(OutputFile& first, OutputFile& second);

 protected:
  void Drain(const char* data, std::size_t count) override;

 private:
  enum class Way { kReplace, kCopyInto, kInPlace, kStream };

  void OpenTemporary(bool exists);
  void OpenDirect();
  int Descriptor() const;
  // Writes out what is buffered and closes a file written directly; throws IoError.
  void Finish();
  // Puts the finished temporary file in place of the target; throws IoError.
  void PutInPlace();

  std::string target_;  // links followed
  Way way_ = Way::kReplace;
  std::unique_ptr<TemporaryFile> temporary_;
  int fd_ = -1;  // the target itself, when written directly
};

}  // namespace orvandel
