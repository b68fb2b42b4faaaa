#pragma once

#include <string>
#include <string_view>

namespace orvandel {

// The text without its leading blanks and tabs.
std::string TrimLeadingBlanks(std::string_view text);

// True when nothing but blanks and control characters stands in the text: the test by
// which a settings field counts as not filled in.
bool IsBlankField(std::string_view text);

// Converts the text of a settings or height field to a 32-bit float. Accepted: blanks
// around, an optional sign, digits with an optional decimal point, an optional exponent.
// Anything else, and a number a float cannot hold, throws RuntimeFailure
// "'<text>' is not a valid floating point value".
float FieldToFloat(std::string_view text);

}  // namespace orvandel
