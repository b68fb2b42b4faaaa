#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

void ByteSink::Flush() {
  if (used_ == 0) return;
  const std::size_t count = used_;
  used_ = 0;
  Drain(buffer_.data(), count);
}

void ByteSink::AppendSlow(const void* data, std::size_t count) {
  Flush();
  if (count >= buffer_.size()) {
    Drain(static_cast<const char*>(data), count);
    return;
  }
  std::memcpy(buffer_.data(), data, count);
  used_ = count;
}

}  // namespace orvandel
