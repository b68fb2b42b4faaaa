#include "orvandel/viewer/render_stop.h"

namespace orvandel {

RenderStop::RenderStop(double seconds) {
  using Seconds = std::chrono::duration<double>;
  const Clock::time_point now = Clock::now();
  // Half the room left, so that rounding the seconds to clock ticks cannot overflow.
  const double room = Seconds(Clock::time_point::max() - now).count() / 2;
  if (seconds < room)
    deadline_ = now + std::chrono::duration_cast<Clock::duration>(Seconds(seconds));
}

bool RenderStop::Stopped() const {
  if (stopped_.load(std::memory_order_relaxed)) return true;
  return deadline_ != Clock::time_point::max() && Clock::now() >= deadline_;
}

const RenderStop& RenderStop::Never() {
  static const RenderStop never;
  return never;
}

}  // namespace orvandel
