#include "command_line.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <sstream>
#include <string>

#include "cli_options.h"
#include "commands.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/io_error.h"
#include "orvandel/version.h"

namespace orvandel::cli {
namespace {

bool IsHelpOption(const std::string& arg) {
  return arg == "--help" || arg == "-h";
}

// "help", "help NAME", and --help in the place of a command.
std::string HelpFor(const std::vector<std::string>& args) {
  if (args.size() == 1) return FullUsage();
  if (args.size() > 2) throw UsageError("help takes one COMMAND");
  const Command* command = FindCommand(args[1]);
  if (command == nullptr) throw UsageError("unknown command " + args[1]);
  return CommandUsage(*command);
}

// The command's usage when help is asked for anywhere after its name, else its run. A
// usage error names the command, whose usage its message points to.
void RunCommand(const Command& command, const std::vector<std::string>& rest, std::ostream& out) {
  if (std::ranges::any_of(rest, IsHelpOption)) {
    out << CommandUsage(command);
    return;
  }
  try {
    command.run(rest);
  } catch (const UsageError& error) {
    throw UsageError(error.what(), command.name);
  }
}

void Dispatch(const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError("no command given");
  if (args[0] == "--version") {
    if (args.size() > 1) throw UsageError("--version takes nothing more");
    out << kVersionLine << "\n";
    return;
  }
  if (args[0] == "help" || IsHelpOption(args[0])) {
    out << HelpFor(args);
    return;
  }
  const Command* command = FindCommand(args[0]);
  if (command == nullptr) throw UsageError("unknown command " + args[0]);
  RunCommand(*command, {args.begin() + 1, args.end()}, out);
}

// One line, so that a script's log shows the reason next to the command that caused it.
std::string UsageErrorLine(const UsageError& error) {
  const std::string help = error.Command().empty()
                               ? std::string("orvandel-cli --help")
                               : "orvandel-cli help " + std::string(error.Command());
  return "orvandel-cli: " + OneLine(error.what()) + " (see \"" + help + "\")\n";
}

// What was printed must have reached standard output: a full disk or a closed pipe is a
// failure, not a success. The text goes out in one piece, so that the reason of a failed
// write is still in errno however long the text is.
int CheckedOutput(const std::string& printed, std::ostream& out, std::ostream& err) {
  errno = 0;
  out << printed;
  out.flush();
  if (out) return 0;
  err << (errno != 0 ? MessageText(IoError::FromErrno(errno)) : std::string("I/O error.")) << "\n";
  return 1;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    std::ostringstream printed;
    Dispatch(args, printed);
    return CheckedOutput(printed.str(), out, err);
  } catch (const UsageError& error) {
    err << UsageErrorLine(error);
    return 2;
  } catch (const Failure& failure) {
    err << MessageText(failure) << "\n";
  } catch (const std::bad_alloc&) {
    err << "Out of memory.\n";
  }
  return 1;
}

}  // namespace orvandel::cli
