#pragma once

#include <cstdint>

namespace orvandel {

// Room that one formatted number may take, terminator not included.
constexpr int kMaxNumberText = 64;

// Writes value in fixed point with exactly four decimals, rounded with halves away from
// zero; "-" stands before every value below zero, also one that rounds to zero, while
// negative zero is written as 0.0000. The rounding is exact for values with at most 43
// significant bits, which covers every float and every float times 3. Returns the end.
char* FormatFixed4(char* out, double value);

// Writes value in fixed point, without exponent, as short as reads back as the same float
// ("0.1", "1234.5", "-0.000012"); "inf" or "nan" for a value that is not finite. Returns
// the end.
char* FormatFloat(char* out, float value);

// Writes value as a plain decimal integer. Returns the end.
char* FormatInteger(char* out, std::int64_t value);

}  // namespace orvandel
