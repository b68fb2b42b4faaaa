#include "cli_args.h"

#include "orvandel/commands/option_text.h"
#include "orvandel/writers/output_formats.h"
#include "orvandel/writers/simplified_surface.h"

namespace orvandel::cli {
namespace {

using Form = CommandForm<GenerateArgs>;

constexpr std::size_t kHelpColumn = 23;  // two past the longest form, "--height INDEX=TEXT"
constexpr bool kTrueScaleOnly = true;

void TakeHeight(std::string_view option, const std::string& value, GenerateArgs& args) {
  const auto equals = value.find('=');
  const std::optional<int> index =
      equals == std::string::npos ? std::nullopt : NumberFrom<int>(value.substr(0, equals));
  if (!index || *index < 0 || *index > 15) {
    throw UsageError(std::string(option) + " takes INDEX=TEXT with INDEX from 0 to 15, not '" +
                     value + "'");
  }
  args.panel.heights[static_cast<std::size_t>(*index)] = value.substr(equals + 1);
}

// The text of one settings field, as typed.
template <SettingsField kField>
void TakeSetting(std::string_view, const std::string& value, GenerateArgs& args) {
  args.panel.settings[kField] = value;
}

// The formats come from their table, so that a new one needs no edit here.
std::string About() {
  return "  Turns the 16-colour BMP map MAP into a terrain mesh as the desktop program\n"
         "  does and writes it to OUTPUT in the format of OUTPUT's extension:\n"
         "  " +
         Extensions(false, " or ") + ".\n  " + Extensions(true, " and ") +
         " files hold the terrain at true\n"
         "  scale: in map units, or printed --print-width millimetres wide.\n"
         "  Each TEXT is what you would type into that field of the control panel; all\n"
         "  six settings must be given.\n";
}

std::vector<Option<GenerateArgs>> Options() {
  const std::string true_scale = Extensions(true, " and ");
  return {
      {"--height", "INDEX=TEXT", Presence::kRepeatable,
       "the height of palette index INDEX, 0 to 15; give one for\n"
       "each colour that has a height, the others stay empty",
       TakeHeight},
      {"--water", "TEXT", Presence::kRequired, "the water level", TakeSetting<kWater>},
      {"--lawn", "TEXT", Presence::kRequired, "the lawn level", TakeSetting<kLawn>},
      {"--snow", "TEXT", Presence::kRequired, "the snow level", TakeSetting<kSnow>},
      {"--map-width", "TEXT", Presence::kRequired, "the width of the mapped area",
       TakeSetting<kMapwidth>},
      {"--map-height", "TEXT", Presence::kRequired, "the height of the mapped area",
       TakeSetting<kMapheight>},
      {"--interval", "TEXT", Presence::kRequired, "the spacing of the mesh's vertices",
       TakeSetting<kInterval>},
      {kVerticalScaleOption, "F", Presence::kOptional,
       "multiplies every height by F, a positive number\n(default 1); " + true_scale + " only",
       [](std::string_view, const std::string& value, GenerateArgs& args) {
         args.options.vertical_scale = VerticalScaleFromText(value);
       },
       kTrueScaleOnly},
      {kBaseOption, "T", Presence::kOptional,
       "closes the terrain into a solid with a flat bottom T map\n"
       "units below its lowest point (millimetres with\n--print-width); " +
           true_scale + " only",
       [](std::string_view, const std::string& value, GenerateArgs& args) {
         args.options.base = BaseFromText(value);
       },
       kTrueScaleOnly},
      {kMaxErrorOption, "E", Presence::kOptional,
       "writes as few triangles as keep the surface within E map\n"
       "units (after --vertical-scale) of every grid vertex's\n"
       "height; E is 0 or more (default 0: without loss);\n" +
           true_scale + " only",
       [](std::string_view, const std::string& value, GenerateArgs& args) {
         const double bound = MaxErrorFromText(value);
         // The full grid, without any error, meets every bound: --full-grid wins.
         if (args.options.surface) args.options.surface = SimplifiedSurface(bound);
       },
       kTrueScaleOnly},
      {"--full-grid", "", Presence::kOptional,
       "writes every triangle of the grid, two per square of\n"
       "cells, in place of as few as --max-error allows;\n" +
           true_scale + " only",
       [](std::string_view, const std::string&, GenerateArgs& args) {
         args.options.surface = nullptr;
       },
       kTrueScaleOnly},
      {kPrintWidthOption, "MM", Presence::kOptional,
       "scales the mesh uniformly to MM millimetres from west to\n"
       "east, its footprint centred on the origin and its lowest\n"
       "point at height 0; T of --base is then in millimetres;\n" +
           true_scale + " only",
       [](std::string_view, const std::string& value, GenerateArgs& args) {
         args.options.print_width = PrintWidthFromText(value);
       },
       kTrueScaleOnly},
      {kUpOption, "AXIS", Presence::kOptional,
       "y or z, the axis that points up: by default y for\n" +
           ExtensionsWhere([](const OutputFormat& f) { return f.true_scale && f.up == UpAxis::kY; },
                           " and ") +
           ", z for " +
           ExtensionsWhere([](const OutputFormat& f) { return f.true_scale && f.up == UpAxis::kZ; },
                           " and ") +
           ";\n" + ExtensionsWhere(TakesUpAxis, " and ") + " only",
       [](std::string_view, const std::string& value, GenerateArgs& args) {
         args.options.up = UpAxisFromText(value);
       },
       kTrueScaleOnly},
      ThreadsOption<GenerateArgs>("file"),
  };
}

// The mesh options shape only the true-scale formats; a file of no known format is left
// to the command, which refuses it as the desktop program does.
void CheckMeshOptionsApply(const ParsedLine<GenerateArgs>& parsed) {
  const OutputFormat* format = FindFormatForFile(parsed.args.output_file);
  if (format == nullptr || format->true_scale) return;
  const std::vector<Option<GenerateArgs>>& options = GenerateForm().options;
  std::vector<std::string_view> names;
  bool given = false;
  for (std::size_t k = 0; k < options.size(); ++k) {
    if (!options[k].true_scale_only) continue;
    names.push_back(options[k].name);
    given = given || parsed.given[k];
  }
  if (given) {
    throw UsageError(Listed(names, " and ") + " apply to " + Extensions(true, " and ") +
                     " files only");
  }
}

// A format whose axes are fixed, such as glTF's, takes no --up.
void CheckUpApplies(const ParsedLine<GenerateArgs>& parsed) {
  const OutputFormat* format = FindFormatForFile(parsed.args.output_file);
  if (format == nullptr || !format->true_scale || !parsed.args.options.up || TakesUpAxis(*format))
    return;
  throw UsageError(std::string(kUpOption) + " applies to " + ExtensionsWhere(TakesUpAxis, " and ") +
                   " files only");
}

}  // namespace

const Form& GenerateForm() {
  static const Form form{"generate",
                         {{"MAP", &GenerateArgs::map_file}, {"OUTPUT", &GenerateArgs::output_file}},
                         Options(),
                         About(),
                         kHelpColumn};
  return form;
}

GenerateArgs ParseGenerateArgs(const std::vector<std::string>& args) {
  const ParsedLine<GenerateArgs> parsed = ParseCommandLine(GenerateForm(), args);
  CheckMeshOptionsApply(parsed);
  CheckUpApplies(parsed);
  return parsed.args;
}

std::string Extensions(bool true_scale_only, std::string_view last_joint) {
  return ExtensionsWhere(
      [&](const OutputFormat& format) { return format.true_scale || !true_scale_only; },
      last_joint);
}

std::string ExtensionsWhere(const std::function<bool(const OutputFormat&)>& listed,
                            std::string_view last_joint) {
  std::vector<std::string_view> extensions;
  for (const OutputFormat& format : OutputFormats()) {
    if (listed(format)) extensions.push_back(format.extension);
  }
  return Listed(extensions, last_joint);
}

}  // namespace orvandel::cli
