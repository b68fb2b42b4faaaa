#pragma once

#include <cstddef>

namespace orvandel {

// Tells the system that the whole pages of the bytes from start may be backed by huge
// pages before they are first written. A scene of millions of faces then costs a few
// hundred page faults instead of tens of thousands, which is most of its load time, and
// fewer misses of the address cache while it is drawn. A hint only: where huge pages are
// not available nothing changes. Never fails.
void AdviseHugePages(const void* start, std::size_t bytes);

}  // namespace orvandel
