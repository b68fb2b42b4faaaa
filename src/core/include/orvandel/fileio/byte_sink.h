#pragma once

#include <cassert>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace orvandel {

// A buffered destination of bytes. Writers append into the buffer; whenever it fills,
// Drain() hands its contents on. Writers that format numbers themselves claim room in
// the buffer, write into it and then advance past what they used.
class ByteSink {
 public:
  virtual ~ByteSink() = default;

  void Append(std::string_view bytes) { Append(bytes.data(), bytes.size()); }
  void Append(const void* data, std::size_t count) {
    if (count > size_ - used_) {
      AppendSlow(data, count);
      return;
    }
    std::memcpy(buffer_.get() + used_, data, count);
    used_ += count;
  }

  // Room for at least count bytes (count must not exceed kMaxClaim); write into it, then
  // call Advance() with the end of what was written.
  char* Claim(std::size_t count) {
    assert(count <= kMaxClaim);
    if (count > size_ - used_) Flush();
    return buffer_.get() + used_;
  }
  void Advance(char* end) {
    assert(end >= buffer_.get() + used_ && end <= buffer_.get() + size_);
    used_ = static_cast<std::size_t>(end - buffer_.get());
  }

  // Hands everything buffered to Drain().
  void Flush();

  static constexpr std::size_t kMaxClaim = 4096;

 protected:
  // buffer_size must be at least kMaxClaim.
  explicit ByteSink(std::size_t buffer_size = kBufferSize)
      : buffer_(std::make_unique_for_overwrite<char[]>(buffer_size)), size_(buffer_size) {
    assert(buffer_size >= kMaxClaim);
  }
  virtual void Drain(const char* data, std::size_t count) = 0;

  // What is buffered and not yet drained; Discard() forgets it.
  std::string_view Buffered() const { return {buffer_.get(), used_}; }
  void Discard() { used_ = 0; }

 private:
  void AppendSlow(const void* data, std::size_t count);

  static constexpr std::size_t kBufferSize = 1 << 20;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_;
  std::size_t used_ = 0;
};

// Collects the bytes in memory; for tests and for callers that want the bytes themselves.
class MemorySink : public ByteSink {
 public:
  // Everything appended so far.
  const std::string& Bytes() {
    Flush();
    return bytes_;
  }

 protected:
  void Drain(const char* data, std::size_t count) override { bytes_.append(data, count); }

 private:
  std::string bytes_;
};

}  // namespace orvandel
