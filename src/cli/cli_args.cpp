#include "cli_args.h"

#include <array>
#include <cmath>

#include "orvandel/writers/output_formats.h"

namespace orvandel::cli {
namespace {

constexpr std::array<const char*, 6> kSettingsOptions = {
    "--water", "--lawn", "--snow", "--map-width", "--map-height", "--interval"};

void TakeHeight(const std::string& value, PanelTexts& panel) {
  const auto equals = value.find('=');
  const std::optional<int> index =
      equals == std::string::npos ? std::nullopt : NumberFrom<int>(value.substr(0, equals));
  if (!index || *index < 0 || *index > 15) {
    throw UsageError("--height takes INDEX=TEXT with INDEX from 0 to 15, not '" + value + "'");
  }
  panel.heights[static_cast<std::size_t>(*index)] = value.substr(equals + 1);
}

bool TakeSetting(const std::vector<std::string>& args, std::size_t& at, PanelTexts& panel,
                 std::array<bool, 6>& given) {
  for (std::size_t field = 0; field < kSettingsOptions.size(); ++field) {
    if (TakeOption(args, at, kSettingsOptions[field], panel.settings[field])) {
      given[field] = true;
      return true;
    }
  }
  return false;
}

bool TakeMeshOption(const std::vector<std::string>& args, std::size_t& at, MeshOptions& options) {
  std::string value;
  if (TakeOption(args, at, "--vertical-scale", value)) {
    options.vertical_scale = PositiveFrom("--vertical-scale", value, "number");
  } else if (TakeOption(args, at, "--base", value)) {
    options.base = PositiveFrom("--base", value, "number of map units");
  } else {
    return false;
  }
  return true;
}

// The options shape only the true-scale formats; a file of no known format is left to the
// command, which refuses it as the desktop program does.
void CheckMeshOptionsApply(const GenerateArgs& parsed, bool given) {
  const OutputFormat* format = FindFormatForFile(parsed.output_file);
  if (!given || format == nullptr || format->true_scale) return;
  throw UsageError("--vertical-scale and --base apply to " + Extensions(true, " and ") +
                   " files only");
}

}  // namespace

float PositiveFrom(const std::string& option, const std::string& value, const char* what) {
  const std::optional<float> number = NumberFrom<float>(value);
  if (!number || !std::isfinite(*number) || *number <= 0) {
    throw UsageError(option + " takes a positive " + what + ", not '" + value + "'");
  }
  return *number;
}

std::string Extensions(bool true_scale_only, std::string_view last_joint) {
  std::vector<std::string_view> listed;
  for (const OutputFormat& format : OutputFormats()) {
    if (format.true_scale || !true_scale_only) listed.push_back(format.extension);
  }
  std::string text;
  for (std::size_t k = 0; k < listed.size(); ++k) {
    const bool last = k + 1 == listed.size();
    text += std::string(k == 0 ? "" : last ? last_joint : ", ") + std::string(listed[k]);
  }
  return text;
}

bool TakeOption(const std::vector<std::string>& args, std::size_t& at, const std::string& name,
                std::string& value) {
  const std::string& arg = args[at];
  if (arg == name) {
    if (at + 1 >= args.size()) throw UsageError(name + " needs a value");
    value = args[at + 1];
    at += 2;
    return true;
  }
  if (arg.starts_with(name + "=")) {
    value = arg.substr(name.size() + 1);
    at += 1;
    return true;
  }
  return false;
}

bool TakeThreadsOption(const std::vector<std::string>& args, std::size_t& at,
                       ThreadCount& threads) {
  std::string value;
  if (!TakeOption(args, at, "--threads", value)) return false;
  const std::optional<ThreadCount> count = NumberFrom<ThreadCount>(value);
  if (!count || *count < 1 || *count > kMaxThreadCount) {
    throw UsageError("--threads takes a whole number from 1 to " + std::to_string(kMaxThreadCount) +
                     ", not '" + value + "'");
  }
  threads = *count;
  return true;
}

GenerateArgs ParseGenerateArgs(const std::vector<std::string>& args) {
  GenerateArgs parsed;
  std::vector<std::string> positional;
  std::array<bool, 6> given{};
  bool mesh_options_given = false;
  for (std::size_t at = 0; at < args.size();) {
    std::string height;
    if (TakeOption(args, at, "--height", height)) {
      TakeHeight(height, parsed.panel);
    } else if (TakeMeshOption(args, at, parsed.options)) {
      mesh_options_given = true;
    } else if (!TakeThreadsOption(args, at, parsed.threads) &&
               !TakeSetting(args, at, parsed.panel, given)) {
      if (args[at].starts_with("--")) throw UsageError("unknown option " + args[at]);
      positional.push_back(args[at++]);
    }
  }
  if (positional.size() != 2) throw UsageError("generate needs MAP and OUTPUT");
  for (std::size_t field = 0; field < given.size(); ++field) {
    if (!given[field]) throw UsageError(std::string(kSettingsOptions[field]) + " is required");
  }
  parsed.map_file = positional[0];
  parsed.output_file = positional[1];
  CheckMeshOptionsApply(parsed, mesh_options_given);
  return parsed;
}

}  // namespace orvandel::cli
