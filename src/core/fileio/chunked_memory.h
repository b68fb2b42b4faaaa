#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// Bytes made whole in memory before they are written out, such as a file that is put
// together out of order. They are held in large chunks that never move once made, each
// backed by huge pages where the system has them: holding more costs neither a copy of
// what is held nor a page fault per 4 kB. Appending goes through the sink; WriteAt() and
// ReadAt() reach any byte held. Throws std::bad_alloc when memory runs out.
class ChunkedMemory : public ByteSink {
 public:
  ChunkedMemory() : ByteSink(kMaxClaim) {}

  // The count of the bytes held.
  std::uint64_t Size();
  // Writes count bytes from data at offset at, at most Size(), holding more where they
  // reach beyond.
  void WriteAt(std::uint64_t at, const char* data, std::size_t count) {
    Flush();
    Put(at, data, count);
  }
  // Copies count bytes from offset at into data; at + count is at most Size().
  void ReadAt(std::uint64_t at, char* data, std::size_t count);
  // Appends every byte held to out.
  void CopyTo(ByteSink& out);

 protected:
  void Drain(const char* data, std::size_t count) override { Put(size_, data, count); }

 private:
  // Two huge pages of 2 MB each.
  static constexpr std::size_t kChunkBytes = std::size_t{4} << 20;
  static constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

  struct Free {
    void operator()(char* chunk) const { std::free(chunk); }
  };

  void Put(std::uint64_t at, const char* data, std::size_t count);
  // Calls visit(bytes, count) for the pieces of [at, at + count) in the chunks, in order.
  template <typename Visit>
  void ForEachPiece(std::uint64_t at, std::size_t count, Visit&& visit);

  std::vector<std::unique_ptr<char, Free>> chunks_;
  std::uint64_t size_ = 0;
};

}  // namespace orvandel
