#include "orvandel/fileio/binary_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "fileio/little_endian.h"
#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

BinaryReader::BinaryReader(const std::string& path) : buffer_(kBufferSize) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw IoError::FromErrno(errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    throw IoError::FromErrno(error);
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd_);
    throw IoError::FromErrno(EISDIR);
  }
  if (S_ISREG(info.st_mode)) file_size_ = static_cast<std::uint64_t>(info.st_size);
}

BinaryReader::~BinaryReader() {
  ::close(fd_);
}

std::size_t BinaryReader::ReadSome(unsigned char* out, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd_, out, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw IoError::FromErrno(errno);
  }
}

bool BinaryReader::Refill() {
  begin_ = 0;
  end_ = ReadSome(buffer_.data(), buffer_.size());
  return end_ > 0;
}

std::size_t BinaryReader::ReadUpTo(void* out, std::size_t count) {
  auto* dest = static_cast<unsigned char*>(out);
  std::size_t done = 0;
  while (done < count) {
    if (begin_ == end_ && count - done >= buffer_.size()) {
      // Large reads go straight into the caller's memory.
      const std::size_t got = ReadSome(dest + done, count - done);
      if (got == 0) break;
      done += got;
      continue;
    }
    if (begin_ == end_ && !Refill()) break;
    const std::size_t take = std::min(count - done, end_ - begin_);
    std::memcpy(dest + done, buffer_.data() + begin_, take);
    begin_ += take;
    done += take;
  }
  consumed_ += done;
  return done;
}

void BinaryReader::Read(void* out, std::size_t count) {
  if (ReadUpTo(out, count) != count) throw IoError::EndOfFile();
}

std::uint16_t BinaryReader::ReadU16() {
  unsigned char b[2];
  Read(b, sizeof b);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t BinaryReader::ReadU32() {
  unsigned char b[4];
  Read(b, sizeof b);
  return U32At(b);
}

bool BinaryReader::AtEnd() {
  return begin_ == end_ && !Refill();
}

std::uint64_t BinaryReader::RemainingBytes() const {
  return file_size_ > consumed_ ? file_size_ - consumed_ : 0;
}

void BinaryReader::Rewind() {
  if (::lseek(fd_, 0, SEEK_SET) != 0) throw IoError::FromErrno(errno);
  begin_ = end_ = 0;
  consumed_ = 0;
}

}  // namespace orvandel
