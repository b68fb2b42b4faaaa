#pragma once

namespace orvandel {

// How many threads a command shares its work among: from 1 to kMaxThreadCount. With 1
// all the work runs on the calling thread, as it would without threads at all. Results
// never depend on the count.
using ThreadCount = unsigned;

inline constexpr ThreadCount kMaxThreadCount = 64;

// The machine's cores as the system reports them, within 1 to kMaxThreadCount: the count
// every command uses unless told otherwise.
ThreadCount DefaultThreadCount();

}  // namespace orvandel
