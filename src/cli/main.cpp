// orvandel-cli: the batch front end. Commands end with status 0 on success, 1 with the
// user's message on standard error when they fail, 2 with the usage for wrong usage.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli_args.h"
#include "generate_main.h"
#include "orvandel/fileio/failure.h"
#include "render_args.h"
#include "render_main.h"

namespace {

using orvandel::cli::kUsage;
using orvandel::cli::UsageError;

int Dispatch(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kUsage;
    return 0;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "generate") {
    orvandel::cli::RunGenerate(orvandel::cli::ParseGenerateArgs(rest));
    return 0;
  }
  if (args[0] == "render") {
    orvandel::cli::RunRender(orvandel::cli::ParseRenderArgs(rest));
    return 0;
  }
  throw UsageError("unknown command " + args[0]);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "orvandel-cli: " << error.what() << "\n\n" << kUsage;
    return 2;
  } catch (const orvandel::Failure& failure) {
    std::cerr << orvandel::MessageText(failure) << "\n";
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory.\n";
  }
  return 1;
}
