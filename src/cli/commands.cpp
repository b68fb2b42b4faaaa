#include "commands.h"

#include <algorithm>
#include <array>

#include "cli_args.h"
#include "generate_main.h"
#include "option_usage.h"
#include "render_args.h"
#include "render_main.h"

namespace orvandel::cli {
namespace {

// A command made from its form: the usage, and the parser that run calls.
template <typename Args>
Command CommandOf(const CommandForm<Args>& form, void (*run)(const std::vector<std::string>&)) {
  return {form.name, SynopsisOf(form), DetailsOf(form), run};
}

const std::array<Command, 2>& CommandTable() {
  static const std::array<Command, 2> commands = {
      CommandOf(GenerateForm(),
                [](const std::vector<std::string>& args) { RunGenerate(ParseGenerateArgs(args)); }),
      CommandOf(RenderForm(),
                [](const std::vector<std::string>& args) { RunRender(ParseRenderArgs(args)); }),
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
