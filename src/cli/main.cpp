// orvandel-cli: the batch front end.
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "orvandel/fileio/interrupt_cleanup.h"
#include "qt_messages.h"

int main(int argc, char** argv) {
  orvandel::RouteQtMessages();
  orvandel::InstallInterruptCleanup();
  return orvandel::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                       std::cerr);
}
