#include "render_args.h"

#include <array>
#include <optional>
#include <string_view>

#include "cli_args.h"
#include "orvandel/fileio/file_names.h"
#include "orvandel/fileio/output_file.h"
#include "orvandel/fileio/same_file.h"

namespace orvandel::cli {
namespace {

// Two whole numbers separated by separator, each from low to high.
std::optional<std::array<int, 2>> PairFrom(std::string_view text, char separator, int low,
                                           int high) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  const std::optional<int> first = NumberFrom<int>(text.substr(0, at));
  const std::optional<int> second = NumberFrom<int>(text.substr(at + 1));
  if (!first || !second) return std::nullopt;
  if (*first < low || *first > high || *second < low || *second > high) return std::nullopt;
  return std::array<int, 2>{*first, *second};
}

AnglePair AnglesFrom(const std::string& option, const std::string& value) {
  const auto pair = PairFrom(value, ',', 0, 359);
  if (!pair) {
    throw UsageError(option + " takes V,H in whole degrees from 0 to 359, not '" + value + "'");
  }
  return {static_cast<std::uint16_t>((*pair)[0]), static_cast<std::uint16_t>((*pair)[1])};
}

void TakeSize(const std::string& value, RenderArgs& parsed) {
  const auto size = PairFrom(value, 'x', 1, kMaxPictureSide);
  if (!size) {
    throw UsageError("--size takes WxH with each side from 1 to " +
                     std::to_string(kMaxPictureSide) + ", not '" + value + "'");
  }
  parsed.width = (*size)[0];
  parsed.height = (*size)[1];
}

bool TakeRenderOption(const std::vector<std::string>& args, std::size_t& at, RenderArgs& parsed) {
  if (TakeThreadsOption(args, at, parsed.threads)) return true;
  std::string value;
  if (TakeOption(args, at, "--observer", value)) {
    parsed.view.observer = AnglesFrom("--observer", value);
  } else if (TakeOption(args, at, "--sun", value)) {
    parsed.view.sun = AnglesFrom("--sun", value);
  } else if (TakeOption(args, at, "--zoom", value)) {
    parsed.view.zoom = PositiveFrom("--zoom", value, "number");
  } else if (TakeOption(args, at, "--timeout", value)) {
    parsed.timeout = PositiveFrom("--timeout", value, "number of seconds");
  } else if (TakeOption(args, at, "--size", value)) {
    TakeSize(value, parsed);
  } else if (args[at] == "--wire") {
    parsed.view.shaded = false;
    ++at;
  } else {
    return false;
  }
  return true;
}

}  // namespace

RenderArgs ParseRenderArgs(const std::vector<std::string>& args) {
  RenderArgs parsed;
  std::vector<std::string> positional;
  for (std::size_t at = 0; at < args.size();) {
    if (TakeRenderOption(args, at, parsed)) continue;
    if (args[at].starts_with("--")) throw UsageError("unknown option " + args[at]);
    positional.push_back(args[at++]);
  }
  if (positional.size() != 2) throw UsageError("render needs SCENE and OUTPUT.bmp");
  parsed.scene_file = positional[0];
  parsed.output_file = positional[1];
  // A device or a pipe (/dev/null) takes the picture under any name; the scene itself as
  // OUTPUT is refused by the render, with a message that says so.
  if (AsciiLower(FileExtension(parsed.output_file)) != ".bmp" &&
      !IsStreamOutput(parsed.output_file) && !IsSameFile(parsed.scene_file, parsed.output_file)) {
    throw UsageError("render writes BMP files: OUTPUT must end in .bmp");
  }
  return parsed;
}

}  // namespace orvandel::cli
