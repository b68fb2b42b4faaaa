#include "fileio/chunked_memory.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>

#include "fileio/huge_pages.h"

namespace orvandel {

template <typename Visit>
void ChunkedMemory::ForEachPiece(std::uint64_t at, std::size_t count, Visit&& visit) {
  while (count > 0) {
    const auto chunk = static_cast<std::size_t>(at / kChunkBytes);
    const auto offset = static_cast<std::size_t>(at % kChunkBytes);
    const std::size_t piece = std::min(count, kChunkBytes - offset);
    visit(chunks_[chunk].get() + offset, piece);
    at += piece;
    count -= piece;
  }
}

std::uint64_t ChunkedMemory::Size() {
  Flush();
  return size_;
}

void ChunkedMemory::Put(std::uint64_t at, const char* data, std::size_t count) {
  assert(at <= size_);
  while (chunks_.size() * kChunkBytes < at + count) {
    char* chunk = static_cast<char*>(std::aligned_alloc(kHugePageBytes, kChunkBytes));
    if (chunk == nullptr) throw std::bad_alloc();
    chunks_.emplace_back(chunk);
    AdviseHugePages(chunk, kChunkBytes);
  }
  ForEachPiece(at, count, [&](char* bytes, std::size_t piece) {
    std::memcpy(bytes, data, piece);
    data += piece;
  });
  size_ = std::max(size_, at + count);
}

void ChunkedMemory::ReadAt(std::uint64_t at, char* data, std::size_t count) {
  assert(at + count <= Size());
  ForEachPiece(at, count, [&](const char* bytes, std::size_t piece) {
    std::memcpy(data, bytes, piece);
    data += piece;
  });
}

void ChunkedMemory::CopyTo(ByteSink& out) {
  ForEachPiece(0, static_cast<std::size_t>(Size()),
               [&](const char* bytes, std::size_t piece) { out.Append(bytes, piece); });
}

}  // namespace orvandel
