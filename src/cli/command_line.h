#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvandel::cli {

// Runs orvandel-cli with the arguments that follow the program's name: a command, help
// or the version. Help and the version go to out. A failure's message goes to err as its
// only line; wrong usage puts one line there: its reason and where to find the usage of
// the command concerned (or of all). Returns the exit status: 0 on success, 1 on failure, 2 for
// wrong usage.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvandel::cli
