#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "orvandel/fileio/byte_sink.h"
#include "writers/decimal_digits.h"
#include "writers/number_text.h"
#include "writers/text_piece.h"

namespace orvandel {

// RAW and ASC files give heights as 3.0 x the cell height. The product of a float and 3.0
// is exact in a double: it is written without rounding to a float.
inline constexpr double kTextHeightFactor = 3.0;

// Builds one line of a text mesh file straight in the sink's buffer and ends it with
// CR LF. A line holds at most kMaxLine bytes.
class TextLine {
 public:
  static constexpr std::size_t kMaxLine = ByteSink::kMaxClaim;

  explicit TextLine(ByteSink& out) : out_(out), begin_(out.Claim(kMaxLine)), at_(begin_) {}
  ~TextLine() {
    assert(at_ + 2 <= begin_ + kMaxLine);
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
  TextLine& Float(float value) {
    at_ = FormatFloat(at_, value);
    return *this;
  }
  TextLine& Integer(std::int64_t value) {
    at_ = decimal::PutSigned(at_, value);
    return *this;
  }
  template <std::size_t kRoom>
  TextLine& Piece(const BasicTextPiece<kRoom>& piece) {
    at_ = PutPiece(at_, piece);
    return *this;
  }

 private:
  ByteSink& out_;
  char* begin_;
  char* at_;
};

}  // namespace orvandel
