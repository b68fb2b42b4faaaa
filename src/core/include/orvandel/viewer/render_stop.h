#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <exception>

namespace orvandel {

// Thrown out of a render or a load that was stopped. A render's picture is then partly
// drawn and must not be shown or saved. Not a Failure: the user asked for it, there is
// nothing to report.
class RenderStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "render stopped"; }
};

// Stops a render, or the load of a scene, from another thread, or once a time limit has
// passed. A render looks at it every kFacesBetweenChecks faces, never per pixel, a load
// every few thousand records: one load, and one reading of the clock when there is a
// time limit.
class RenderStop {
 public:
  using Clock = std::chrono::steady_clock;

  static constexpr std::size_t kFacesBetweenChecks = 64;

  // Stops only when asked.
  RenderStop() = default;
  // Stops also once seconds (> 0) have passed from now; a limit beyond the clock's range
  // is no limit.
  explicit RenderStop(double seconds);
  RenderStop(const RenderStop&) = delete;
  RenderStop& operator=(const RenderStop&) = delete;

  // Safe from any thread.
  void Stop() { stopped_.store(true, std::memory_order_relaxed); }
  bool Stopped() const;
  // Throws RenderStopped when stopped.
  void ThrowIfStopped() const {
    if (Stopped()) throw RenderStopped();
  }

  // A stop that is never asked for, for renders that run to their end.
  static const RenderStop& Never();

 private:
  std::atomic<bool> stopped_{false};
  Clock::time_point deadline_ = Clock::time_point::max();
};

}  // namespace orvandel
