#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

void ByteSink::Flush() {
  if (used_ == 0) return;
  const std::size_t count = used_;
  used_ = 0;
  Drain(buffer_.get(), count);
}

void ByteSink::AppendSlow(const void* data, std::size_t count) {
  Flush();
  if (count >= size_) {
    Drain(static_cast<const char*>(data), count);
    return;
  }
  std::memcpy(buffer_.get(), data, count);
  used_ = count;
}

}  // namespace orvandel
