#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace orvandel {

// Root of every failure that ends a command and is reported to the user.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A condition the program detects itself ("No map loaded!"). The text is shown as it
// stands, in the error dialog.
class Refusal : public Failure {
 public:
  using Failure::Failure;
};

// An error of the file layer or the runtime ("File not found", "'12a' is not a valid
// floating point value"). The general error box shows the text followed by ".".
class RuntimeFailure : public Failure {
 public:
  using Failure::Failure;
};

// The text a user reads for a failure: a refusal as it stands, a runtime failure with ".",
// both as one line (see OneLine).
std::string MessageText(const Failure& failure);

// The text with its control characters shown as escapes ("\n", "\t", "\x1b"), so that it
// stays on one line whatever a user typed or a file was named.
std::string OneLine(std::string_view text);

}  // namespace orvandel
