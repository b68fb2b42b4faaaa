#include "writers/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "writers/decimal_digits.h"

namespace orvandel {
namespace {

char* CopyText(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// Not a number, infinite, or so large that its ten-thousandths would not all be exact in
// a double. Beyond 2^52 ten-thousandths the values that reach here are whole numbers,
// which the C library prints exactly.
char* FormatUnusual(char* out, double value) {
  if (std::isnan(value)) return CopyText(out, "Nan");
  if (std::isinf(value)) return CopyText(out, value < 0 ? "-Inf" : "+Inf");
  if (value < 0) *out++ = '-';
  char text[kMaxNumberText];
  const int length = std::snprintf(text, sizeof text, "%.4f", std::fabs(value));
  return CopyText(out, length > 0 && length < kMaxNumberText ? text : "+Inf");
}

}  // namespace

char* FormatFixed4(char* out, double value) {
  // Exact: 10000 adds 10 significant bits, and below 2^52 adding a half is exact too.
  const double scaled = std::fabs(value) * 10000.0;
  if (!(scaled < 0x1p52)) return FormatUnusual(out, value);
  if (value < 0) *out++ = '-';
  const auto units = static_cast<std::uint64_t>(scaled + 0.5);
  out = decimal::PutUnsigned(out, units / 10000);
  const std::uint64_t fraction = units % 10000;
  *out = '.';
  decimal::PutPair(out + 1, fraction / 100);
  return decimal::PutPair(out + 3, fraction % 100);
}

char* FormatFloat(char* out, float value) {
  return std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed).ptr;
}

char* FormatInteger(char* out, std::int64_t value) {
  return decimal::PutSigned(out, value);
}

}  // namespace orvandel
