#include "fileio/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "fileio/descriptor_io.h"
#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

#ifdef O_TMPFILE
constexpr int kUnnamedFlags = O_TMPFILE | O_RDWR | O_CLOEXEC;
int OpenUnnamed(const char* folder, int flags, mode_t mode) {
  return ::open(folder, flags, mode);
}
#else
constexpr int kUnnamedFlags = 0;
int OpenUnnamed(const char*, int, mode_t) {
  errno = EOPNOTSUPP;
  return -1;
}
#endif

// What O_TMPFILE gives on a file system (or an older kernel) without unnamed files.
bool NoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Links the open file fd under name. /proc serves anyone; without /proc, AT_EMPTY_PATH
// serves a privileged program. Returns 0 or the OS error.
int LinkOpenFile(int fd, const std::string& name) {
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

std::string FreshLinkName(const std::string& folder) {
  static std::atomic<unsigned> count{0};
  return folder + ".orvandel-" + std::to_string(::getpid()) + "-" + std::to_string(++count);
}

}  // namespace

TemporaryFile::UnnamedOpener TemporaryFile::open_unnamed = OpenUnnamed;

TemporaryFile::TemporaryFile(const std::string& folder, mode_t mode) : folder_(folder) {
  fd_ = open_unnamed(folder.empty() ? "." : folder.c_str(), kUnnamedFlags, mode);
  if (fd_ < 0 && NoUnnamedFiles(errno)) OpenNamed(folder);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  // The permissions of the file it replaces, whatever the umask says.
  if (::fchmod(fd_, mode) != 0) error_ = errno;
}

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!renamed_ && !name_.empty()) ::unlink(name_.c_str());
}

void TemporaryFile::OpenNamed(const std::string& folder) {
  // Short, so that a target name of the longest length allowed still leaves room for it.
  const std::string pattern = folder + ".orvandel-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) return;
  name_ = name.data();
  removed_on_interrupt_.emplace(name_);
}

void TemporaryFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  CloseChecked(fd);
}

void TemporaryFile::LinkUnnamed() {
  for (;;) {
    std::string name = FreshLinkName(folder_);
    const int error = LinkOpenFile(fd_, name);
    if (error == EEXIST) continue;  // left by an earlier program of the same process id
    if (error != 0) throw IoError::FromErrno(error);
    name_ = std::move(name);
    removed_on_interrupt_.emplace(name_);
    return;
  }
}

const std::string& TemporaryFile::Name() {
  if (name_.empty()) LinkUnnamed();
  return name_;
}

void TemporaryFile::RenameOnto(const std::string& target) {
  if (::rename(Name().c_str(), target.c_str()) != 0) throw IoError::FromErrno(errno);
  renamed_ = true;
  removed_on_interrupt_.reset();
}

void TemporaryFile::CopyInto(const std::string& target) const {
  const int out = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
  if (out < 0) throw IoError::FromErrno(errno);
  std::vector<char> buffer(1 << 20);
  try {
    for (off_t at = 0;;) {
      const ssize_t got = ::pread(fd_, buffer.data(), buffer.size(), at);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw IoError::FromErrno(errno);
      if (got == 0) break;
      WriteAll(out, buffer.data(), static_cast<std::size_t>(got));
      at += got;
    }
  } catch (const IoError&) {
    ::close(out);
    throw;
  }
  CloseChecked(out);
}

}  // namespace orvandel
