#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

}  // namespace

// A message is one line: what the user typed or named shows its control characters as
// escapes, so that a line feed in a value cannot break the message or forge another line.
std::string OneLine(std::string_view text) {
  std::string shown;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += ch;
    } else if (ch == '\n') {
      shown += "\\n";
    } else if (ch == '\r') {
      shown += "\\r";
    } else if (ch == '\t') {
      shown += "\\t";
    } else {
      shown += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
    }
  }
  return shown;
}

std::string MessageText(const Failure& failure) {
  const bool runtime = dynamic_cast<const RuntimeFailure*>(&failure) != nullptr;
  return OneLine(failure.what()) + (runtime ? "." : "");
}

}  // namespace orvandel
