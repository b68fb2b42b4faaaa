#pragma once

#include <string>

namespace orvandel {

// Makes SIGINT, SIGTERM and SIGHUP remove every temporary file that a RemovedOnInterrupt
// names, then end the program by that same signal (a shell reports 128 + the signal).
// A signal that the program was started ignoring stays ignored. Call once, early in main().
void InstallInterruptCleanup();

// While it lives, the file of that name is removed should the program be interrupted. At
// most kMaxNames names are kept at a time; past that a file is simply not removed. A name
// longer than the longest path the system opens is not kept either.
class RemovedOnInterrupt {
 public:
  explicit RemovedOnInterrupt(const std::string& name);
  ~RemovedOnInterrupt();
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

  static constexpr int kMaxNames = 16;

 private:
  int slot_ = -1;
};

}  // namespace orvandel
