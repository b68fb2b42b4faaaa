#include "orvandel/fileio/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

// In the target's folder, so that the rename stays within one file system; short, so that
// a target name of the longest length allowed still leaves room for it.
std::string TemporaryPattern(const std::string& target) {
  const auto slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  return folder + ".orvandel-XXXXXX";
}

// The permissions the target will have: those of the file it replaces, else the usual
// ones for a new file.
mode_t TargetMode(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void RefuseUnwritableTarget(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) throw IoError::FromErrno(EISDIR);
  if (::access(target.c_str(), W_OK) != 0) throw IoError::FromErrno(errno);
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

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
  RefuseUnwritableTarget(target_);
  std::string pattern = TemporaryPattern(target_);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) throw IoError::FromErrno(errno);
  temporary_ = name.data();
  if (::fchmod(fd_, TargetMode(target_)) != 0) {
    const int error = errno;
    ::close(fd_);
    ::unlink(temporary_.c_str());
    throw IoError::FromErrno(error);
  }
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!placed_) ::unlink(temporary_.c_str());
}

void OutputFile::Drain(const char* data, std::size_t count) {
  while (count > 0) {
    const ssize_t done = ::write(fd_, data, count);
    if (done < 0) {
      if (errno == EINTR) continue;
      throw IoError::FromErrno(errno);
    }
    data += done;
    count -= static_cast<std::size_t>(done);
  }
}

void OutputFile::Finish() {
  Flush();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw IoError::FromErrno(errno);
}

void OutputFile::PutInPlace() {
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw IoError::FromErrno(errno);
  placed_ = true;
}

void OutputFile::Commit() {
  Finish();
  PutInPlace();
}

void CommitTogether(OutputFile& first, OutputFile& second) {
  first.Finish();
  second.Finish();
  KeptTarget kept(first.target_, first.temporary_ + ".old");
  try {
    first.PutInPlace();
    second.PutInPlace();
  } catch (const IoError&) {
    kept.PutBack();
    throw;
  }
}

}  // namespace orvandel
