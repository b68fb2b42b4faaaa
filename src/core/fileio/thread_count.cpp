#include "orvandel/fileio/thread_count.h"

#include <algorithm>
#include <thread>

namespace orvandel {

ThreadCount DefaultThreadCount() {
  // hardware_concurrency() is 0 where the count is unknown.
  return std::clamp<ThreadCount>(std::thread::hardware_concurrency(), 1, kMaxThreadCount);
}

}  // namespace orvandel
