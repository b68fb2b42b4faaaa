#include "cli_args.h"

#include <array>

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

}  // namespace

const char* const kUsage =
    "Usage:\n"
    "  orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT --lawn TEXT\n"
    "               --snow TEXT --map-width TEXT --map-height TEXT --interval TEXT\n"
    "  orvandel-cli render SCENE OUTPUT.bmp [--observer V,H] [--sun V,H] [--zoom Z] [--wire]\n"
    "               [--size WxH] [--threads N]\n"
    "  orvandel-cli --help\n"
    "\n"
    "generate  turns the 16-colour BMP map MAP into a terrain mesh. INDEX is a palette\n"
    "          index from 0 to 15; each TEXT is what you would type into that field of\n"
    "          the control panel. OUTPUT's extension selects the format: .3df, .raw,\n"
    "          .asc or .plg.\n"
    "render    draws the 3DF mesh SCENE as the render window does and saves the picture\n"
    "          as a 24-bit BMP. Angles are whole degrees from 0 to 359 (defaults:\n"
    "          observer 20,60, sun 90,180); zoom defaults to 0.751, size to 550x418.\n"
    "          --threads N shares the work among N threads (default: the machine's cores).\n"
    "\n"
    "Exit status: 0 on success, 1 when the command fails (the message goes to standard\n"
    "error), 2 for wrong usage.\n";

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
  for (std::size_t at = 0; at < args.size();) {
    std::string height;
    if (TakeOption(args, at, "--height", height)) {
      TakeHeight(height, parsed.panel);
    } else if (!TakeSetting(args, at, parsed.panel, given)) {
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
  return parsed;
}

}  // namespace orvandel::cli
