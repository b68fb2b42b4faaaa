#include "orvandel/generator/field_text.h"

#include <locale.h>

#include <cmath>
#include <cstdlib>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at]))
    ++at;
  return at;
}

// The length of the number at the start of text, or 0 when none stands there.
std::size_t NumberLength(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t integer_end = SkipDigits(text, at);
  std::size_t end = integer_end;
  std::size_t digits = integer_end - at;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fraction_end = SkipDigits(text, end + 1);
    digits += fraction_end - end - 1;
    end = fraction_end;
  }
  if (digits == 0) return 0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponent_end = SkipDigits(text, exponent);
    if (exponent_end == exponent) return 0;
    end = exponent_end;
  }
  return end;
}

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

[[noreturn]] void RefuseNumber(std::string_view text) {
  throw RuntimeFailure("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

std::string TrimLeadingBlanks(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at]))
    ++at;
  return std::string(text.substr(at));
}

bool IsBlankField(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

float FieldToFloat(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin]))
    ++begin;
  std::size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1]))
    --end;
  const std::string number(text.substr(begin, end - begin));
  if (number.empty() || NumberLength(number) != number.size()) RefuseNumber(text);
  // Formed at full precision, rounded once more when stored as a float.
  const long double value = strtold_l(number.c_str(), nullptr, ClassicLocale());
  const float stored = static_cast<float>(value);
  if (!std::isfinite(stored)) RefuseNumber(text);
  return stored;
}

}  // namespace orvandel
