#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel::cli {

// One command of orvandel-cli with its usage, made from the command's CommandForm. The
// usage is the single source of --help, "help NAME", "NAME --help" and the man page, which
// tools/man/man_page_from_usage.cmake writes from --help; it reads the texts by these
// rules:
// - synopsis: lines under "Usage:", the first "  orvandel-cli NAME ARGUMENTS", the rest
//   continuing it, indented deeper;
// - details: lines indented by two, with no blank line: sentences about the command, and
//   one entry per option, "  --name ARGUMENT", two or more spaces, what it does, continued
//   on lines indented deeper than two.
// No line is longer than 80 characters.
struct Command {
  std::string_view name;
  std::string synopsis;
  std::string details;
  // Parses the arguments that follow the name and runs the command. Throws UsageError or
  // Failure.
  void (*run)(const std::vector<std::string>& args);
};

std::span<const Command> Commands();

// The command of that name, or nullptr.
const Command* FindCommand(std::string_view name);

// What the program does, every synopsis, every command's details and the exit status.
std::string FullUsage();

// One command's synopsis and details.
std::string CommandUsage(const Command& command);

}  // namespace orvandel::cli
