#include "orvandel/fileio/interrupt_cleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace orvandel {
namespace {

// The handler may run on any thread at any moment, so the names live in fixed storage and
// each slot says by its state whether its name may be read.
enum SlotState : int { kFree, kFilling, kKept };

struct NameSlot {
  std::atomic<int> state{kFree};
  char name[PATH_MAX];
};

std::array<NameSlot, RemovedOnInterrupt::kMaxNames> slots;

constexpr std::array kCleanedSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveAndDie(int signal_number) {
  for (NameSlot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kKept) ::unlink(slot.name);
  }
  // Ends the program the way the signal would have without the handler.
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

bool IsIgnored(int signal_number) {
  struct sigaction current {};
  return ::sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void InstallInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = RemoveAndDie;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kCleanedSignals)
    sigaddset(&action.sa_mask, signal_number);
  for (const int signal_number : kCleanedSignals) {
    if (!IsIgnored(signal_number)) ::sigaction(signal_number, &action, nullptr);
  }
}

RemovedOnInterrupt::RemovedOnInterrupt(const std::string& name) {
  if (name.size() >= PATH_MAX) return;
  for (int at = 0; at < kMaxNames; ++at) {
    int expected = kFree;
    if (!slots[at].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[at].name, name.c_str(), name.size() + 1);
    slots[at].state.store(kKept, std::memory_order_release);
    slot_ = at;
    return;
  }
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
  if (slot_ >= 0) slots[slot_].state.store(kFree, std::memory_order_release);
}

}  // namespace orvandel
