#pragma once

#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/panel_texts.h"

namespace orvandel::cli {

// Wrong usage of the command line; main prints the usage and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT ...
struct GenerateArgs {
  std::string map_file;
  std::string output_file;
  PanelTexts panel;
};

// Reads the arguments that follow "generate". Every settings option is required; a
// height not given leaves its field empty. Throws UsageError.
GenerateArgs ParseGenerateArgs(const std::vector<std::string>& args);

// The value of an option given as "--name VALUE" or "--name=VALUE"; advances at past the
// value. Returns false when args[at] is not that option. Throws UsageError when the
// value is missing.
bool TakeOption(const std::vector<std::string>& args, std::size_t& at, const std::string& name,
                std::string& value);

// "--threads N" or "--threads=N", N a whole number from 1 to kMaxThreadCount: the value
// goes to threads and at advances past it. Returns false when args[at] is not that
// option. Throws UsageError when the value is missing or out of range.
bool TakeThreadsOption(const std::vector<std::string>& args, std::size_t& at, ThreadCount& threads);

// A number made of the whole of text, or nothing.
template <typename Number>
std::optional<Number> NumberFrom(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || stop != end || error != std::errc{}) return std::nullopt;
  return value;
}

extern const char* const kUsage;

}  // namespace orvandel::cli
