#pragma once

#include <cstddef>
#include <functional>

#include "orvandel/fileio/thread_count.h"

namespace orvandel {

// The items [begin, end) of one part.
struct PartRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Part part (from 0) of count items split into parts contiguous ranges in order, their
// sizes differing by at most one.
PartRange PartOf(std::size_t count, unsigned parts, unsigned part);

// The parts that items are shared among on threads threads: one per thread, but no more
// than there are items, and at least one.
unsigned PartsFor(std::size_t items, ThreadCount threads);

// Runs work(part) for part 0 to parts - 1 at the same time: part 0 on the calling thread,
// each other part on a thread of its own; with parts at most 1 no thread is started.
// Returns when every part has ended. When parts throw, the exception of the lowest such
// part is rethrown after all have ended. A part whose thread cannot be started runs on
// the calling thread after part 0, so part 0 must not wait for another part except for
// work that part has already begun.
void RunParts(unsigned parts, const std::function<void(unsigned part)>& work);

}  // namespace orvandel
