#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "orvandel/fileio/byte_sink.h"
#include "orvandel/writers/number_text.h"

namespace orvandel {

// Builds one line of a text mesh file straight in the sink's buffer and ends it with
// CR LF. A line holds at most kMaxLine bytes.
class TextLine {
 public:
  static constexpr std::size_t kMaxLine = ByteSink::kMaxClaim;

  explicit TextLine(ByteSink& out) : out_(out), at_(out.Claim(kMaxLine)) {}
  ~TextLine() {
    *at_++ = '\r';
    *at_++ = '\n';
    out_.Advance(at_);
  }
  TextLine(const TextLine&) = delete;
  TextLine& operator=(const TextLine&) = delete;

  TextLine& Text(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
    return *this;
  }
  TextLine& Fixed(double value) {
    at_ = FormatFixed4(at_, value);
    return *this;
  }
  TextLine& Integer(std::int64_t value) {
    at_ = FormatInteger(at_, value);
    return *this;
  }

 private:
  ByteSink& out_;
  char* at_;
};

}  // namespace orvandel
