#pragma once

#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/writers/mesh_write.h"

namespace orvandel::cli {

// Wrong usage of the command line: exit status 2, with the reason and the usage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT ...
// [--vertical-scale F] [--base T] [--threads N]
struct GenerateArgs {
  std::string map_file;
  std::string output_file;
  PanelTexts panel;
  MeshOptions options{};
  ThreadCount threads = DefaultThreadCount();
};

// Reads the arguments that follow "generate". Every settings option is required; a
// height not given leaves its field empty. --vertical-scale and --base take positive
// numbers and apply only to an OUTPUT of a true-scale format (or of no known format,
// which the command then refuses). Throws UsageError.
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

// The value of option as a positive finite float. Throws UsageError
// "<option> takes a positive <what>, not '<value>'" for anything else.
float PositiveFrom(const std::string& option, const std::string& value, const char* what);

// The extensions of every output format, or of the true-scale ones only, the last joined
// by last_joint: ".stl, .obj, .ply and .glb".
std::string Extensions(bool true_scale_only, std::string_view last_joint);

}  // namespace orvandel::cli
