#pragma once

#include <string>
#include <vector>

namespace orvandel::test {

struct CommandResult {
  int exit_status = -1;
  std::string out;
  std::string err;
};

// Runs a program with arguments and collects its exit status and output.
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& args);

}  // namespace orvandel::test
