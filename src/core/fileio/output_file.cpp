#include "orvandel/fileio/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/descriptor_io.h"
#include "fileio/output_target.h"
#include "fileio/temporary_file.h"
#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

// The permissions the target will have: those of the file it replaces, else the usual
// ones for a new file.
mode_t TargetMode(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The errors of a folder in which no new file may be made.
bool FolderRefuses(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// The target of a commit as it was before, kept under another name until the commit is
// done: a second link to the file, or the file itself moved aside where the file system
// has no links. Without a target there is nothing to keep.
class KeptTarget {
 public:
  KeptTarget(std::string target, std::string kept) : target_(std::move(target)) {
    if (::link(target_.c_str(), kept.c_str()) != 0 &&
        ::rename(target_.c_str(), kept.c_str()) != 0) {
      if (errno == ENOENT) return;
      throw IoError::FromErrno(errno);
    }
    kept_ = std::move(kept);
  }
  ~KeptTarget() {
    if (!kept_.empty()) ::unlink(kept_.c_str());
  }
  KeptTarget(const KeptTarget&) = delete;
  KeptTarget& operator=(const KeptTarget&) = delete;

  // Puts the target back as it was: the kept file, or no file when there was none. Should
  // even that fail, the kept file stays on disk under its other name rather than be lost.
  void PutBack() {
    if (kept_.empty()) {
      ::unlink(target_.c_str());
      return;
    }
    ::rename(kept_.c_str(), target_.c_str());
    kept_.clear();
  }

 private:
  std::string target_;
  std::string kept_;
};

}  // namespace

bool IsStreamOutput(const std::string& name) {
  try {
    return FindOutputTarget(name).kind == OutputTarget::Kind::kStream;
  } catch (const IoError&) {
    return false;  // the write itself reports what is wrong with the name
  }
}

OutputFile::OutputFile(const std::string& target) {
  const OutputTarget found = FindOutputTarget(target);
  target_ = found.path;
  switch (found.kind) {
    case OutputTarget::Kind::kStream:
      way_ = Way::kStream;
      OpenDirect();
      return;
    case OutputTarget::Kind::kNew:
      OpenTemporary(false);
      return;
    case OutputTarget::Kind::kRegular:
    case OutputTarget::Kind::kLinked:
      if (::access(target_.c_str(), W_OK) != 0) throw IoError::FromErrno(errno);
      way_ = found.kind == OutputTarget::Kind::kLinked ? Way::kCopyInto : Way::kReplace;
      OpenTemporary(true);
  }
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
}

void OutputFile::OpenTemporary(bool exists) {
  temporary_ = std::make_unique<TemporaryFile>(FolderOf(target_), TargetMode(target_));
  const int error = temporary_->Error();
  if (error == 0) return;
  temporary_.reset();
  if (!exists || !FolderRefuses(error)) throw IoError::FromErrno(error);
  way_ = Way::kInPlace;
  OpenDirect();
}

// Opens the target itself without emptying it, so that a failure before the first bytes
// are written leaves it as it was.
void OutputFile::OpenDirect() {
  fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) throw IoError::FromErrno(errno);
}

int OutputFile::Descriptor() const {
  return temporary_ ? temporary_->Descriptor() : fd_;
}

void OutputFile::Drain(const char* data, std::size_t count) {
  WriteAll(Descriptor(), data, count);
}

void OutputFile::Finish() {
  Flush();
  if (way_ == Way::kReplace) {
    temporary_->Name();  // an unnamed file needs its name while it is open
    temporary_->Close();
  }
  if (fd_ < 0) return;
  // A file overwritten in place ends where the new bytes end.
  if (way_ == Way::kInPlace && ::ftruncate(fd_, ::lseek(fd_, 0, SEEK_CUR)) != 0) {
    throw IoError::FromErrno(errno);
  }
  const int fd = fd_;
  fd_ = -1;
  CloseChecked(fd);
}

void OutputFile::PutInPlace() {
  if (way_ == Way::kReplace) temporary_->RenameOnto(target_);
  if (way_ == Way::kCopyInto) temporary_->CopyInto(target_);
}

void OutputFile::Commit() {
  Finish();
  PutInPlace();
}

void CommitTogether(OutputFile& first, OutputFile& second) {
  if (first.way_ != OutputFile::Way::kReplace || second.way_ != OutputFile::Way::kReplace) {
    first.Commit();
    second.Commit();
    return;
  }
  first.Finish();
  second.Finish();
  KeptTarget kept(first.target_, first.temporary_->Name() + ".old");
  try {
    first.PutInPlace();
    second.PutInPlace();
  } catch (const IoError&) {
    kept.PutBack();
    throw;
  }
}

}  // namespace orvandel
