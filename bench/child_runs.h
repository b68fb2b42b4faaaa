#pragma once

#include <string>
#include <vector>

namespace orvandel::bench {

// A program run in a process of its own: its wall time and its peak resident memory.
struct ChildRun {
  double seconds = 0;
  double peak_mb = 0;
  bool ok = false;  // it ended with status 0
};

// Runs the program args[0] with args, waits for it and measures it.
ChildRun RunChild(std::vector<std::string> args);

}  // namespace orvandel::bench
