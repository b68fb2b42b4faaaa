#include "command_line.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "cli_args.h"
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

// Sets concerned to the command once it is known, for the usage that a usage error shows.
void Dispatch(const std::vector<std::string>& args, std::ostream& out, const Command*& concerned) {
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
  concerned = FindCommand(args[0]);
  if (concerned == nullptr) throw UsageError("unknown command " + args[0]);
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (std::ranges::any_of(rest, IsHelpOption)) {
    out << CommandUsage(*concerned);
    return;
  }
  concerned->run(rest);
}

// One line, so that a script's log shows the reason next to the command that caused it.
std::string UsageErrorLine(const std::string& reason, const Command* concerned) {
  const std::string help = concerned != nullptr
                               ? "orvandel-cli help " + std::string(concerned->name)
                               : std::string("orvandel-cli --help");
  return "orvandel-cli: " + OneLine(reason) + " (see \"" + help + "\")\n";
}

// What was printed must have reached standard output: a full disk or a closed pipe is a
// failure, not a success.
int CheckedOutput(std::ostream& out, std::ostream& err) {
  errno = 0;
  out.flush();
  if (out) return 0;
  err << (errno != 0 ? MessageText(IoError::FromErrno(errno)) : std::string("I/O error.")) << "\n";
  return 1;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Command* concerned = nullptr;
  try {
    Dispatch(args, out, concerned);
    return CheckedOutput(out, err);
  } catch (const UsageError& error) {
    err << UsageErrorLine(error.what(), concerned);
    return 2;
  } catch (const Failure& failure) {
    err << MessageText(failure) << "\n";
  } catch (const std::bad_alloc&) {
    err << "Out of memory.\n";
  }
  return 1;
}

}  // namespace orvandel::cli
