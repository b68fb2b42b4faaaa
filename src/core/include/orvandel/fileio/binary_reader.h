#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvandel {

// A binary input file read as a plain byte stream of little-endian fields. The file is
// opened for reading only, so a write-protected file reads normally, and it is closed on
// every way out. Every field read must deliver all its bytes, else it throws
// IoError::EndOfFile(); opening and reading failures throw the IoError of the OS error.
class BinaryReader {
 public:
  explicit BinaryReader(const std::string& path);
  ~BinaryReader();
  BinaryReader(const BinaryReader&) = delete;
  BinaryReader& operator=(const BinaryReader&) = delete;

  void Read(void* out, std::size_t count);
  // Reads as many of count bytes as the file still holds; returns how many it read.
  std::size_t ReadUpTo(void* out, std::size_t count);

  std::uint16_t ReadU16();
  std::uint32_t ReadU32();
  std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

  // True when the read position is at or past the end of the file.
  bool AtEnd();
  // Bytes between the read position and the end of the file as it was when opened;
  // 0 when the file is not a regular file and its size is unknown.
  std::uint64_t RemainingBytes() const;
  // The size of the file when it was opened; 0 when it is not a regular file.
  std::uint64_t Size() const { return file_size_; }

  // Goes back to the first byte, so that a second reader of the same open file (the map's
  // pixels after its headers) starts where the file does. Needs a regular file (Size()
  // not 0); throws the IoError of the OS error.
  void Rewind();
  // The open file, for a reader of another kind after Rewind(); it stays this reader's.
  int Descriptor() const { return fd_; }

 private:
  std::size_t ReadSome(unsigned char* out, std::size_t count);
  bool Refill();

  int fd_ = -1;
  std::uint64_t file_size_ = 0;
  std::uint64_t consumed_ = 0;
  std::vector<unsigned char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace orvandel
