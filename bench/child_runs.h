#pragma once

#include <string>
#include <vector>

namespace orvandel::bench {

// A program run in a process of its own: its wall and processor time and its peak resident
// memory.
struct ChildRun {
  double seconds = 0;
  double cpu_seconds = 0;  // on all its threads, in user and system mode
  double peak_mb = 0;
  bool ok = false;  // it ended with status 0
};

// Starts programs from a small process of its own. A child's peak memory counts all that
// the process that forks it holds, so the children are forked by a launcher made while
// this process is still small: make it first thing.
class Launcher {
 public:
  Launcher();
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // Runs the program args[0] with args, waits for it and measures it.
  ChildRun Run(const std::vector<std::string>& args);

 private:
  int to_launcher_ = -1;
  int from_launcher_ = -1;
  int launcher_ = -1;
};

}  // namespace orvandel::bench
