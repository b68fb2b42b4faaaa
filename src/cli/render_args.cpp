#include "render_args.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

#include "orvandel/commands/option_text.h"
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

AnglePair AnglesFrom(std::string_view option, const std::string& value) {
  const auto pair = PairFrom(value, ',', 0, 359);
  if (!pair) {
    throw UsageError(std::string(option) + " takes V,H in whole degrees from 0 to 359, not '" +
                     value + "'");
  }
  return {static_cast<std::uint16_t>((*pair)[0]), static_cast<std::uint16_t>((*pair)[1])};
}

void TakeSize(std::string_view option, const std::string& value, RenderArgs& args) {
  const auto size = PairFrom(value, 'x', 1, kMaxPictureSide);
  if (!size) {
    throw UsageError(std::string(option) + " takes WxH with each side from 1 to " +
                     std::to_string(kMaxPictureSide) + ", not '" + value + "'");
  }
  args.width = (*size)[0];
  args.height = (*size)[1];
}

// W,L,S: three finite numbers.
HeightLevels LevelsFrom(std::string_view option, const std::string& value) {
  std::array<float, 3> levels{};
  std::string_view rest = value;
  for (std::size_t k = 0; k < levels.size(); ++k) {
    const std::size_t comma = k + 1 < levels.size() ? rest.find(',') : rest.size();
    const std::optional<float> level = NumberFrom<float>(rest.substr(0, comma));
    if (comma == std::string_view::npos || !level || !std::isfinite(*level)) {
      throw UsageError(std::string(option) + " takes W,L,S, three numbers, not '" + value + "'");
    }
    levels[k] = *level;
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return {levels[0], levels[1], levels[2]};
}

// A form longer than "--observer V,H" stands on a line of its own.
constexpr std::size_t kHelpColumn = 18;

std::vector<Option<RenderArgs>> Options() {
  return {
      {"--observer", "V,H", Presence::kOptional,
       "the observer's vertical and horizontal angle in whole degrees\n"
       "from 0 to 359 (default 20,60)",
       [](std::string_view option, const std::string& value, RenderArgs& args) {
         args.view.observer = AnglesFrom(option, value);
       }},
      {"--sun", "V,H", Presence::kOptional,
       "the sun's vertical and horizontal angle (default 90,180)",
       [](std::string_view option, const std::string& value, RenderArgs& args) {
         args.view.sun = AnglesFrom(option, value);
       }},
      {"--zoom", "Z", Presence::kOptional, "the zoom, a positive number (default 0.751)",
       [](std::string_view option, const std::string& value, RenderArgs& args) {
         args.view.zoom = PositiveFromText(option, value, "number");
       }},
      {"--wire", "", Presence::kOptional, "a white wire frame instead of shaded faces",
       [](std::string_view, const std::string&, RenderArgs& args) { args.view.shaded = false; }},
      {"--depth", "", Presence::kOptional,
       "nearer faces hide farther ones, and a wire frame shows only\n"
       "the edges no face hides (default: faces in file order, later\n"
       "ones over earlier ones)",
       [](std::string_view, const std::string&, RenderArgs& args) {
         args.view.paint_order = PaintOrder::kDepth;
       }},
      {"--size", "WxH", Presence::kOptional,
       "the picture's width and height in pixels, each from 1 to\n" +
           std::to_string(kMaxPictureSide) + " (default 550x418)",
       TakeSize},
      {"--levels", "W,L,S", Presence::kOptional,
       "the water, lawn and snow levels in SCENE's units, which class\n"
       "the faces of a mesh file without colours (STL) by height;\n"
       "without them such faces are grey",
       [](std::string_view option, const std::string& value, RenderArgs& args) {
         args.levels = LevelsFrom(option, value);
       }},
      ThreadsOption<RenderArgs>("picture"),
      {"--timeout", "SECONDS", Presence::kOptional,
       "gives up when loading and drawing take longer than SECONDS,\n"
       "a positive number, and writes nothing",
       [](std::string_view option, const std::string& value, RenderArgs& args) {
         args.timeout = PositiveFromText(option, value, "number of seconds");
       }},
  };
}

}  // namespace

const CommandForm<RenderArgs>& RenderForm() {
  static const CommandForm<RenderArgs> form{
      "render",
      {{"SCENE", &RenderArgs::scene_file}, {"OUTPUT.bmp", &RenderArgs::output_file}},
      Options(),
      "  Draws the mesh SCENE as the render window does and saves the picture as a\n"
      "  24-bit BMP file. SCENE is a .stl, .obj, .ply or .glb file by its extension,\n"
      "  shown as the 3DF mesh of the same terrain, or else a 3DF mesh.\n",
      kHelpColumn};
  return form;
}

RenderArgs ParseRenderArgs(const std::vector<std::string>& args) {
  const RenderArgs parsed = ParseCommandLine(RenderForm(), args).args;
  // A device or a pipe (/dev/null) takes the picture under any name; the scene itself as
  // OUTPUT is refused by the render, with a message that says so.
  if (AsciiLower(FileExtension(parsed.output_file)) != ".bmp" &&
      !IsStreamOutput(parsed.output_file) && !IsSameFile(parsed.scene_file, parsed.output_file)) {
    throw UsageError("render writes BMP files: OUTPUT must end in .bmp");
  }
  return parsed;
}

}  // namespace orvandel::cli
