#pragma once

#include <cstdint>
#include <memory>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// Compresses everything appended to it into out as one raw deflate stream (RFC 1951), as
// a zip file's entry holds it, and keeps the CRC-32 and the count of the bytes appended,
// which the entry states. Compression runs as the sink drains, so that a writer whose
// bands are formatted on other threads (see WriteBandsInOrder) has them compressed while
// it formats the next ones.
class DeflatingSink : public ByteSink {
 public:
  explicit DeflatingSink(ByteSink& out);
  ~DeflatingSink() override;
  DeflatingSink(const DeflatingSink&) = delete;
  DeflatingSink& operator=(const DeflatingSink&) = delete;

  // Compresses what is still buffered and ends the stream. Nothing may be appended after.
  void Finish();

  std::uint32_t Crc32() const { return crc_; }
  std::uint64_t Size() const { return size_; }

 protected:
  void Drain(const char* data, std::size_t count) override;

 private:
  struct Compressor;

  // Deflates count bytes from data into out_; the last call ends the stream.
  void Deflate(const char* data, std::size_t count, bool last);

  ByteSink& out_;
  std::unique_ptr<Compressor> compressor_;
  std::uint32_t crc_ = 0;
  std::uint64_t size_ = 0;
};

}  // namespace orvandel
