#include "commands.h"

#include <algorithm>
#include <array>

#include "cli_args.h"
#include "generate_main.h"
#include "render_args.h"
#include "render_main.h"

namespace orvandel::cli {
namespace {

// The formats come from their table, so that a new one needs no edit here.
std::string GenerateDetails() {
  const std::string true_scale = Extensions(true, " and ");
  return "  Turns the 16-colour BMP map MAP into a terrain mesh as the desktop program\n"
         "  does and writes it to OUTPUT in the format of OUTPUT's extension:\n"
         "  " +
         Extensions(false, " or ") +
         ".\n"
         "  " +
         true_scale +
         " files hold the terrain in map units at true scale.\n"
         "  Each TEXT is what you would type into that field of the control panel; all\n"
         "  six settings must be given.\n"
         "  --height INDEX=TEXT  the height of palette index INDEX, 0 to 15; give one for\n"
         "                       each colour that has a height, the others stay empty\n"
         "  --water TEXT         the water level\n"
         "  --lawn TEXT          the lawn level\n"
         "  --snow TEXT          the snow level\n"
         "  --map-width TEXT     the width of the mapped area\n"
         "  --map-height TEXT    the height of the mapped area\n"
         "  --interval TEXT      the spacing of the mesh's vertices\n"
         "  --vertical-scale F   multiplies every height by F, a positive number\n"
         "                       (default 1); " +
         true_scale +
         " only\n"
         "  --base T             closes the terrain into a solid with a flat bottom T map\n"
         "                       units below its lowest point; " +
         true_scale +
         "\n"
         "                       only\n"
         "  --threads N          shares the work among N threads, 1 to 64 (default: the\n"
         "                       machine's cores); the file is the same for any N\n";
}

const std::array<Command, 2>& CommandTable() {
  static const std::array<Command, 2> commands = {
      Command{"generate",
              "  orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT\n"
              "      --lawn TEXT --snow TEXT --map-width TEXT --map-height TEXT --interval TEXT\n"
              "      [--vertical-scale F] [--base T] [--threads N]\n",
              GenerateDetails(),
              [](const std::vector<std::string>& args) { RunGenerate(ParseGenerateArgs(args)); }},
      Command{"render",
              "  orvandel-cli render SCENE OUTPUT.bmp [--observer V,H] [--sun V,H] [--zoom Z]\n"
              "      [--wire] [--size WxH] [--threads N] [--timeout SECONDS]\n",
              "  Draws the 3DF mesh SCENE as the render window does and saves the picture as a\n"
              "  24-bit BMP file.\n"
              "  --observer V,H  the observer's vertical and horizontal angle in whole degrees\n"
              "                  from 0 to 359 (default 20,60)\n"
              "  --sun V,H       the sun's vertical and horizontal angle (default 90,180)\n"
              "  --zoom Z        the zoom, a positive number (default 0.751)\n"
              "  --wire          a white wire frame instead of shaded faces\n"
              "  --size WxH      the picture's width and height in pixels, each from 1 to\n"
              "                  16384 (default 550x418)\n"
              "  --threads N     shares the work among N threads, 1 to 64 (default: the\n"
              "                  machine's cores); the picture is the same for any N\n"
              "  --timeout SECONDS\n"
              "                  gives up when loading and drawing take longer than SECONDS,\n"
              "                  a positive number, and writes nothing\n",
              [](const std::vector<std::string>& args) { RunRender(ParseRenderArgs(args)); }},
  };
  return commands;
}

constexpr char kSummary[] =
    "orvandel-cli makes terrain meshes from colour-coded BMP maps and draws them.\n"
    "\"orvandel-cli help COMMAND\" and \"orvandel-cli COMMAND --help\" show the usage\n"
    "of one command, --help that of all, --version the program's version.\n";

constexpr char kOwnSynopsis[] =
    "  orvandel-cli help [COMMAND]\n"
    "  orvandel-cli --help\n"
    "  orvandel-cli --version\n";

constexpr char kExitStatus[] =
    "Exit status:\n"
    "  0 on success; 1 when a command fails, with its message as the only line on\n"
    "  standard error; 2 for wrong usage.\n";

std::string Details(const Command& command) {
  return std::string(command.name) + ":\n" + std::string(command.details);
}

}  // namespace

std::span<const Command> Commands() {
  return CommandTable();
}

const Command* FindCommand(std::string_view name) {
  const auto& commands = CommandTable();
  const auto found = std::ranges::find(commands, name, &Command::name);
  return found == commands.end() ? nullptr : &*found;
}

std::string FullUsage() {
  std::string usage = std::string(kSummary) + "\nUsage:\n";
  for (const Command& command : CommandTable())
    usage += command.synopsis;
  usage += kOwnSynopsis;
  for (const Command& command : CommandTable())
    usage += "\n" + Details(command);
  return usage + "\n" + kExitStatus;
}

std::string CommandUsage(const Command& command) {
  return "Usage:\n" + std::string(command.synopsis) + "\n" + Details(command);
}

}  // namespace orvandel::cli
