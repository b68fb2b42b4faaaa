#include "orvandel/writers/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orvandel {
namespace {

char* FormatUnsigned(char* out, std::uint64_t value) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0)
    *out++ = digits[--count];
  return out;
}

char* CopyText(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// Beyond 2^52 ten-thousandths the values that reach here are whole numbers, which the
// C library prints exactly.
char* FormatHuge(char* out, double magnitude) {
  char text[kMaxNumberText];
  const int length = std::snprintf(text, sizeof text, "%.4f", magnitude);
  return CopyText(out, length > 0 && length < kMaxNumberText ? text : "+Inf");
}

}  // namespace

char* FormatFixed4(char* out, double value) {
  if (std::isnan(value)) return CopyText(out, "Nan");
  if (std::isinf(value)) return CopyText(out, value < 0 ? "-Inf" : "+Inf");
  if (value < 0) *out++ = '-';
  // Exact: 10000 adds 10 significant bits, and below 2^52 adding a half is exact too.
  const double scaled = std::fabs(value) * 10000.0;
  if (scaled >= 0x1p52) return FormatHuge(out, std::fabs(value));
  const auto units = static_cast<std::uint64_t>(scaled + 0.5);
  out = FormatUnsigned(out, units / 10000);
  *out++ = '.';
  std::uint64_t fraction = units % 10000;
  for (int divisor = 1000; divisor >= 1; divisor /= 10) {
    *out++ = static_cast<char>('0' + fraction / static_cast<std::uint64_t>(divisor));
    fraction %= static_cast<std::uint64_t>(divisor);
  }
  return out;
}

char* FormatFloat(char* out, float value) {
  return std::to_chars(out, out + kMaxNumberText, value, std::chars_format::fixed).ptr;
}

char* FormatInteger(char* out, std::int64_t value) {
  if (value >= 0) return FormatUnsigned(out, static_cast<std::uint64_t>(value));
  *out++ = '-';
  return FormatUnsigned(out, 0 - static_cast<std::uint64_t>(value));
}

}  // namespace orvandel
