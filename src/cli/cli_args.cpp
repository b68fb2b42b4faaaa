#include "cli_args.h"

#include <array>
#include <cmath>

#include "orvandel/writers/output_formats.h"

namespace orvandel::cli {
namespace {

// The extensions of every output format, or of the true-scale ones only, the last joined
// by last_joint: ".stl, .obj or .glb".
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

float PositiveFrom(const std::string& option, const std::string& value, const char* what) {
  const std::optional<float> number = NumberFrom<float>(value);
  if (!number || !std::isfinite(*number) || *number <= 0) {
    throw UsageError(option + " takes a positive " + what + ", not '" + value + "'");
  }
  return *number;
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

const std::string kUsage =
    "Usage:\n"
    "  orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT --lawn TEXT\n"
    "               --snow TEXT --map-width TEXT --map-height TEXT --interval TEXT\n"
    "               [--vertical-scale F] [--base T]\n"
    "  orvandel-cli render SCENE OUTPUT.bmp [--observer V,H] [--sun V,H] [--zoom Z] [--wire]\n"
    "               [--size WxH]\n"
    "  orvandel-cli --help\n"
    "\n"
    "generate  turns the 16-colour BMP map MAP into a terrain mesh. INDEX is a palette\n"
    "          index from 0 to 15; each TEXT is what you would type into that field of\n"
    "          the control panel. OUTPUT's extension selects the format:\n"
    "          " +
    Extensions(false, " or ") +
    ".\n"
    "          " +
    Extensions(true, " and ") +
    " hold map units at true scale; for them\n"
    "          --vertical-scale multiplies every height by F (default 1) and --base\n"
    "          closes the terrain into a solid whose flat bottom lies T map units below\n"
    "          its lowest point.\n"
    "render    draws the 3DF mesh SCENE as the render window does and saves the picture\n"
    "          as a 24-bit BMP. Angles are whole degrees from 0 to 359 (defaults:\n"
    "          observer 20,60, sun 90,180); zoom defaults to 0.751, size to 550x418.\n"
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
  CheckMeshOptionsApply(parsed, mesh_options_given);
  return parsed;
}

}  // namespace orvandel::cli
